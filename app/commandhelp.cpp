#include "app/commandhelp.h"

#include <QAbstractButton>
#include <QDir>

#include "ui/mainform.h"

namespace CommandHelp {

namespace {

struct Help
{
    const char *name;
    QKeySequence (*shortcut)();
    const char *chinese;
    const char *english;
};

QKeySequence none() { return {}; }
QKeySequence read() { return QKeySequence(Qt::CTRL | Qt::Key_R); }
QKeySequence write() { return QKeySequence(Qt::CTRL | Qt::Key_T); }
QKeySequence load() { return QKeySequence(QKeySequence::Open); }
QKeySequence save() { return QKeySequence(QKeySequence::Save); }
QKeySequence port() { return QKeySequence(Qt::CTRL | Qt::Key_K); }

// %1 is where the automatic backups are.
const Help kHelp[] = {
    {"toolButton_Read", read, "从遥控器读取全部设置，显示在各页上。",
     "Reads the transmitter's whole set-up into the pages."},
    {"toolButton_Send", write, "把各页上的全部设置写入遥控器，替换其中的设置。",
     "Writes the whole set-up of the pages into the transmitter, replacing what it holds."},
    {"toolButton_Load", load, "从文件加载设置，并立即写入遥控器。",
     "Loads a set-up from a file and at once writes it into the transmitter."},
    {"toolButton_Save", save, "把设置保存到文件，同时也写入遥控器。",
     "Saves the set-up to a file and also writes it into the transmitter."},
    {"toolButton_Reset", none,
     "用出厂设置替换遥控器的全部设置（期间保持微调）。\n之前读取的设置自动备份在 %1",
     "Replaces the transmitter's whole set-up with factory values (trims held).\n"
     "The set-up read before is backed up in %1"},
    {"pushButton_Reset2", none,
     "同样用出厂设置替换遥控器的全部设置，期间微调照常跟随遥控器。\n之前读取的设置自动备份在 %1",
     "Also replaces the whole set-up with factory values; the trims keep following the transmitter.\n"
     "The set-up read before is backed up in %1"},
    {"openButton", port, "打开或关闭所选的串口。", "Opens or closes the chosen serial port."},
    {"portNameBox", none, "遥控器所连接的串口。", "The serial port the transmitter is plugged into."},
    {"toolButton_led", none, "绿色：串口已打开；红色：串口已关闭。", "Green: the port is open; red: it is closed."},
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

QString toolTip(const QString &objectName, int lang, const QString &backupDirectory)
{
    const Help *help = find(objectName);
    if (!help)
        return {};
    QString text = QString::fromUtf8(lang ? help->chinese : help->english);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(QDir::toNativeSeparators(backupDirectory));
    const QKeySequence keys = help->shortcut();
    if (!keys.isEmpty()) {
        text += QLatin1Char('\n')
                + (lang ? QStringLiteral("快捷键：%1") : QStringLiteral("Shortcut: %1"))
                          .arg(keys.toString(QKeySequence::NativeText));
    }
    return text;
}

void apply(MainForm &form, int lang, const QString &backupDirectory)
{
    for (const Help &h : kHelp) {
        const QString name = QString::fromLatin1(h.name);
        QWidget *widget = form.widget(name);
        if (!widget)
            continue;
        widget->setToolTip(toolTip(name, lang, backupDirectory));
        // A button's own shortcut clicks it only while it is enabled, so a
        // command that runs refuses it like a click.
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setShortcut(h.shortcut());
    }
}

} // namespace CommandHelp
