#include "app/commandhelp.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>

#include "ui/mainform.h"

namespace CommandHelp {

namespace {

struct Help
{
    const char *name;
    QKeySequence (*shortcut)();
    const char *text; // Chinese source text of the context "CommandHelp"
};

QKeySequence none() { return {}; }
QKeySequence read() { return QKeySequence(Qt::CTRL | Qt::Key_R); }
QKeySequence write() { return QKeySequence(Qt::CTRL | Qt::Key_T); }
QKeySequence load() { return QKeySequence(QKeySequence::Open); }
QKeySequence save() { return QKeySequence(QKeySequence::Save); }
QKeySequence port() { return QKeySequence(Qt::CTRL | Qt::Key_K); }

// %1 is where the automatic backups are.
const Help kHelp[] = {
    {"toolButton_Read", read, QT_TRANSLATE_NOOP("CommandHelp", "从遥控器读取全部设置，显示在各页上。")},
    {"toolButton_Send", write, QT_TRANSLATE_NOOP("CommandHelp", "把各页上的全部设置写入遥控器，替换其中的设置。")},
    {"toolButton_Load", load, QT_TRANSLATE_NOOP("CommandHelp", "从文件加载设置，并立即写入遥控器。")},
    {"toolButton_Save", save, QT_TRANSLATE_NOOP("CommandHelp", "把设置保存到文件，同时也写入遥控器。")},
    // Factory reset sends the factory trims too (live trims are held off
    // meanwhile); Reset data lets the live trims in, so it sends back the
    // transmitter's own. Short lines: a tooltip is not wrapped.
    {"toolButton_Reset", none,
     QT_TRANSLATE_NOOP("CommandHelp",
                       "用出厂设置替换遥控器的全部设置，\n微调也恢复为出厂值。\n之前读取的设置自动备份在：\n%1")},
    {"pushButton_Reset2", none,
     QT_TRANSLATE_NOOP("CommandHelp",
                       "用出厂设置替换遥控器的全部设置，\n但保留遥控器当前的微调。\n之前读取的设置自动备份在：\n%1")},
    {"openButton", port, QT_TRANSLATE_NOOP("CommandHelp", "打开或关闭所选的串口。")},
    {"portNameBox", none, QT_TRANSLATE_NOOP("CommandHelp", "遥控器所连接的串口。")},
    {"toolButton_led", none, QT_TRANSLATE_NOOP("CommandHelp", "绿色：串口已打开；红色：串口已关闭。")},
};

const Help *find(const QString &objectName)
{
    for (const Help &h : kHelp) {
        if (objectName == QLatin1String(h.name))
            return &h;
    }
    return nullptr;
}

} // namespace

QKeySequence shortcut(const QString &objectName)
{
    const Help *help = find(objectName);
    return help ? help->shortcut() : QKeySequence();
}

QString toolTip(const QString &objectName, const QString &backupDirectory)
{
    const Help *help = find(objectName);
    if (!help)
        return {};
    QString text = QCoreApplication::translate("CommandHelp", help->text);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(QDir::toNativeSeparators(backupDirectory));
    const QKeySequence keys = help->shortcut();
    if (!keys.isEmpty()) {
        text += QLatin1Char('\n')
                + QCoreApplication::translate("CommandHelp", "快捷键：%1")
                          .arg(keys.toString(QKeySequence::NativeText));
    }
    return text;
}

void apply(MainForm &form, const QString &backupDirectory)
{
    for (const Help &h : kHelp) {
        const QString name = QString::fromLatin1(h.name);
        QWidget *widget = form.widget(name);
        if (!widget)
            continue;
        widget->setToolTip(toolTip(name, backupDirectory));
        // A button's own shortcut clicks it only while it is enabled, so a
        // command that runs refuses it like a click.
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setShortcut(h.shortcut());
    }
}

} // namespace CommandHelp
