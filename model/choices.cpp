#include "model/choices.h"

namespace Choices {

QStringList phase() { return {QStringLiteral("正相"), QStringLiteral("反相")}; }

QStringList onOff() { return {QStringLiteral("关闭"), QStringLiteral("打开")}; }

QStringList mixState()
{
    return {QStringLiteral("禁止"), QStringLiteral("关闭"), QStringLiteral("打开")};
}

QStringList auxSource()
{
    return {QStringLiteral("SwA"), QStringLiteral("SwB"), QStringLiteral("VrA"),
            QStringLiteral("VrB/SwC"), QStringLiteral("NULL"), QStringLiteral("Lock-C")};
}

QStringList reserved() { return {QStringLiteral("预留")}; }

QStringList dualRateChannel()
{
    return {QStringLiteral("CH1"), QStringLiteral("CH2"), QStringLiteral("CH3"), QStringLiteral("CH4")};
}

QStringList dualRateSwitch() { return {QStringLiteral("SWA")}; }

QStringList switchPosition() { return {QStringLiteral("UP"), QStringLiteral("DOWN")}; }

QStringList attitudeChannel()
{
    return {QStringLiteral("CH5"), QStringLiteral("CH6"), QStringLiteral("CH7"),
            QStringLiteral("CH8"), QStringLiteral("关闭")};
}

QStringList mixChannel()
{
    QStringList channels;
    for (int n = 1; n <= 8; ++n)
        channels << QStringLiteral("CH%1").arg(n);
    return channels;
}

QStringList programVersion() { return {QStringLiteral("V4.9")}; }

} // namespace Choices
