#include "app/messagetexts.h"

PortTexts portTexts(int langChinese)
{
    if (langChinese) {
        return {QStringLiteral("打开串口"), QStringLiteral("关闭串口"), QStringLiteral("提示"),
                QStringLiteral("无法打开串口！"), QStringLiteral("无法打开串口！")};
    }
    return {QStringLiteral("OPEN"), QStringLiteral("CLOSE"), QStringLiteral("Note"),
            QStringLiteral("Cannot open the serial port!"), QStringLiteral("Please open the serial port!")};
}

FileTexts fileTexts(int langChinese)
{
    if (langChinese) {
        return {QStringLiteral("保存数据"), QStringLiteral("文本文件 (*.txt *.dat);;所有文件 (*.*)"),
                QStringLiteral("打开文件"), QStringLiteral("所有文件 (*.*);;文本文件 (*.txt *.dat)"),
                QStringLiteral("错误"), QStringLiteral("不能读取指定的文件!")};
    }
    return {QStringLiteral("SAVE"), QStringLiteral("file (*.txt *.dat);;allfile (*.*)"),
            QStringLiteral("Open file"), QStringLiteral("All file (*.*);;file (*.txt *.dat)"),
            QStringLiteral("ERROR"), QStringLiteral("Cannot read the specified file!")};
}
