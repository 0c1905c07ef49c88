#include "app/statustexts.h"

#include "model/formtexts.h"

namespace StatusTexts {

namespace {

QString pick(int lang, const char *chinese, const char *english)
{
    return lang ? QString::fromUtf8(chinese) : QString::fromUtf8(english);
}

QString blocks(int received)
{
    return QStringLiteral("%1/%2").arg(received).arg(ReadReply::kBlockCount);
}

// "中点微调 CH1": the group and the caption, short enough for the line.
QString shortLabel(const Setting &s)
{
    const QString label = settingLabel(s);
    return label.section(QStringLiteral(" / "), 1).replace(QStringLiteral(" / "), QStringLiteral(" "));
}

constexpr int kNamedInLine = 2;

} // namespace

QString portClosed(int lang)
{
    return pick(lang, "串口未打开", "Port closed");
}

QString portOpen(const QString &port, int lang)
{
    return pick(lang, "已连接 %1", "Connected to %1").arg(port);
}

QString readOutcome(const TransmitterRecord::ReadOutcome &outcome, int lang)
{
    if (outcome.complete)
        return pick(lang, "已读取 %1", "Read %1").arg(blocks(outcome.received));
    if (outcome.received == 0)
        return pick(lang, "未收到参数 %1", "Nothing arrived %1").arg(blocks(0));
    return pick(lang, "读取不完整 %1", "Read incomplete %1").arg(blocks(outcome.received));
}

QString comparison(const TransmitterRecord::ReadOutcome &outcome, int lang, QString *details)
{
    if (outcome.differences.isEmpty())
        return pick(lang, "与写入一致", "Matches what was written");
    QStringList shortNames;
    QStringList all;
    for (const Setting *s : outcome.differences) {
        if (shortNames.size() < kNamedInLine)
            shortNames.append(shortLabel(*s));
        all.append(settingLabel(*s));
    }
    if (details)
        *details = all.join(QLatin1Char('\n'));
    return pick(lang, "%1 项与写入不同: %2", "%1 differ from written: %2")
            .arg(outcome.differences.size())
            .arg(shortNames.join(lang ? QStringLiteral("、") : QStringLiteral(", ")));
}

QString stalePages(const QStringList &pages, int lang)
{
    QStringList titles;
    for (const QString &page : pages)
        titles.append(formText(page));
    return pick(lang, "可能过时: %1", "May be stale: %1")
            .arg(titles.join(lang ? QStringLiteral("、") : QStringLiteral(", ")));
}

QString sent(Command command, int lang)
{
    switch (command) {
    case Command::Write:
        return pick(lang, "已写入", "Written");
    case Command::FactoryReset:
        return pick(lang, "已恢复出厂设置", "Factory values written");
    case Command::ResetData:
        return pick(lang, "已重置数据", "Reset written");
    case Command::Load:
        return pick(lang, "已加载并写入", "Loaded and written");
    case Command::Save:
        break;
    }
    return pick(lang, "已保存并写入", "Saved and written");
}

QString sendStep(Command command, int step, int lang)
{
    QString name;
    switch (command) {
    case Command::Write:
        name = pick(lang, "写入", "Writing");
        break;
    case Command::FactoryReset:
        name = pick(lang, "出厂设置", "Factory reset");
        break;
    case Command::ResetData:
        name = pick(lang, "重置数据", "Resetting");
        break;
    case Command::Load:
        name = pick(lang, "加载", "Loading");
        break;
    case Command::Save:
        name = pick(lang, "保存", "Saving");
        break;
    }
    return QStringLiteral("%1 %2/4").arg(name).arg(qBound(0, step, 4));
}

QString readStep(int received, int lang)
{
    return pick(lang, "读取 %1", "Reading %1").arg(blocks(received));
}

QString unwritten(int count, int lang)
{
    return pick(lang, "未写入 %1 项", "%1 not written").arg(count);
}

QString backupWritten(const QString &fileName, int lang)
{
    return pick(lang, "已备份 %1", "Backup %1").arg(fileName);
}

QString backupFailed(const QString &error, int lang)
{
    return pick(lang, "备份失败: %1", "Backup failed: %1").arg(error);
}

QString backupName(Command command)
{
    switch (command) {
    case Command::Write:
        return QStringLiteral("write");
    case Command::FactoryReset:
        return QStringLiteral("factory-reset");
    case Command::ResetData:
        return QStringLiteral("reset-data");
    case Command::Load:
        return QStringLiteral("load");
    case Command::Save:
        break;
    }
    return QStringLiteral("save");
}

QString withTime(const QString &text, const QString &time)
{
    return text + QStringLiteral(" · ") + time;
}

} // namespace StatusTexts
