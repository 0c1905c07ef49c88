#include "app/messagetexts.h"

#include <QCoreApplication>

namespace {

QString text(const char *source, const char *disambiguation = nullptr)
{
    return QCoreApplication::translate("MessageTexts", source, disambiguation);
}

} // namespace

PortTexts portTexts()
{
    return {text("打开串口"), text("关闭串口"), text("提示"), text("无法打开串口！", "opening the port failed"),
            text("无法打开串口！", "a command needs the open port")};
}

FileTexts fileTexts()
{
    return {text("保存数据"), text("文本文件 (*.txt *.dat);;所有文件 (*.*)"), text("打开文件"),
            text("所有文件 (*.*);;文本文件 (*.txt *.dat)"), text("错误"), text("不能读取指定的文件!")};
}
