#include "model/choices.h"

#include <QCoreApplication>

// The Chinese words are the source texts (context "Choices"), translated at
// each call; channel, switch and source names read the same in every
// language.
namespace Choices {

QStringList phase()
{
    return {QCoreApplication::translate("Choices", "正相"), QCoreApplication::translate("Choices", "反相")};
}

QStringList onOff()
{
    return {QCoreApplication::translate("Choices", "关闭"), QCoreApplication::translate("Choices", "打开")};
}

QStringList mixState()
{
    return {QCoreApplication::translate("Choices", "禁止"), QCoreApplication::translate("Choices", "关闭"),
            QCoreApplication::translate("Choices", "打开")};
}

QStringList auxSource()
{
    return {QStringLiteral("SwA"), QStringLiteral("SwB"), QStringLiteral("VrA"),
            QStringLiteral("VrB/SwC"), QStringLiteral("NULL"), QStringLiteral("Lock-C")};
}

QStringList reserved() { return {QCoreApplication::translate("Choices", "预留")}; }

QStringList dualRateChannel()
{
    return {QStringLiteral("CH1"), QStringLiteral("CH2"), QStringLiteral("CH3"), QStringLiteral("CH4")};
}

QStringList dualRateSwitch() { return {QStringLiteral("SWA")}; }

QStringList switchPosition() { return {QStringLiteral("UP"), QStringLiteral("DOWN")}; }

QStringList attitudeChannel()
{
    return {QStringLiteral("CH5"), QStringLiteral("CH6"), QStringLiteral("CH7"),
            QStringLiteral("CH8"), QCoreApplication::translate("Choices", "关闭")};
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
