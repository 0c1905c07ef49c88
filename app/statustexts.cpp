#include "app/statustexts.h"

#include <QCoreApplication>

#include "files/unknownsettings.h"
#include "model/formtexts.h"
#include "ui/statusline.h"

// The Chinese words are the source texts (context "StatusTexts"); the
// installed translation gives the others.
namespace StatusTexts {

namespace {

// "甲、乙" or, in English, "a, b".
QString listed(const QStringList &items)
{
    return items.join(QCoreApplication::translate("StatusTexts", "、", "separator of listed names"));
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

// The words of each command, in the order of Command. A file's frames are
// "sent": Load and Save name the file in their own outcome (fileOutcome).
struct CommandWords
{
    const char *name;
    const char *sent;
    const char *verified;
    const char *backup;
    const char *backupFile; // a backup file's name, not translated
};
const CommandWords kCommands[] = {
    {QT_TRANSLATE_NOOP("StatusTexts", "写入"), QT_TRANSLATE_NOOP("StatusTexts", "已写入"),
     QT_TRANSLATE_NOOP("StatusTexts", "已写入并核对"), QT_TRANSLATE_NOOP("StatusTexts", "已备份（写入前）"), "write"},
    {QT_TRANSLATE_NOOP("StatusTexts", "出厂设置"), QT_TRANSLATE_NOOP("StatusTexts", "已恢复出厂设置"),
     QT_TRANSLATE_NOOP("StatusTexts", "已恢复出厂设置并核对"), QT_TRANSLATE_NOOP("StatusTexts", "已备份（出厂设置前）"),
     "factory-reset"},
    {QT_TRANSLATE_NOOP("StatusTexts", "重置数据"), QT_TRANSLATE_NOOP("StatusTexts", "已重置数据"),
     QT_TRANSLATE_NOOP("StatusTexts", "已重置数据并核对"), QT_TRANSLATE_NOOP("StatusTexts", "已备份（重置数据前）"),
     "reset-data"},
    {QT_TRANSLATE_NOOP("StatusTexts", "加载"), QT_TRANSLATE_NOOP("StatusTexts", "已发送"),
     QT_TRANSLATE_NOOP("StatusTexts", "已发送并核对"), QT_TRANSLATE_NOOP("StatusTexts", "已备份（加载前）"), "load"},
    {QT_TRANSLATE_NOOP("StatusTexts", "保存"), QT_TRANSLATE_NOOP("StatusTexts", "已发送"),
     QT_TRANSLATE_NOOP("StatusTexts", "已发送并核对"), QT_TRANSLATE_NOOP("StatusTexts", "已备份（保存前）"), "save"},
};

const CommandWords &words(Command command)
{
    return kCommands[int(command)];
}

QString tr(const char *source)
{
    return QCoreApplication::translate("StatusTexts", source);
}

} // namespace

QString portClosed()
{
    return QCoreApplication::translate("StatusTexts", "串口未打开");
}

QString portOpen(const QString &port)
{
    return QCoreApplication::translate("StatusTexts", "已连接 %1").arg(port);
}

QString readOutcome(const TransmitterRecord::ReadOutcome &outcome)
{
    if (outcome.complete)
        return QCoreApplication::translate("StatusTexts", "已读取 %1").arg(blocks(outcome.received));
    if (outcome.received == 0)
        return QCoreApplication::translate("StatusTexts", "未收到参数 %1").arg(blocks(0));
    return QCoreApplication::translate("StatusTexts", "读取不完整 %1").arg(blocks(outcome.received));
}

QString comparison(const TransmitterRecord::ReadOutcome &outcome, QString *details)
{
    if (outcome.differences.isEmpty())
        return QCoreApplication::translate("StatusTexts", "与写入一致");
    QStringList shortNames;
    QStringList all;
    for (const Setting *s : outcome.differences) {
        if (shortNames.size() < kNamedInLine)
            shortNames.append(shortLabel(*s));
        all.append(settingLabel(*s));
    }
    if (details)
        *details = all.join(QLatin1Char('\n'));
    return QCoreApplication::translate("StatusTexts", "%1 项与写入不同: %2")
            .arg(outcome.differences.size())
            .arg(listed(shortNames));
}

QString lateBlocks(int count)
{
    return QCoreApplication::translate("StatusTexts", "读取结束后又收到 %n 块，未采用", nullptr, count);
}

QString stalePages(const QStringList &pages)
{
    QStringList titles;
    for (const QString &page : pages)
        titles.append(formText(page));
    return QCoreApplication::translate("StatusTexts", "可能过时: %1").arg(listed(titles));
}


QString sent(Command command)
{
    return tr(words(command).sent);
}

QString sendOutcome(Command command, const SendTally &tally)
{
    switch (tally.outcome()) {
    case SendTally::Outcome::Delivered:
        return sent(command);
    case SendTally::Outcome::NotSent:
        return QCoreApplication::translate("StatusTexts", "未发送（串口未打开）");
    case SendTally::Outcome::Interrupted:
        break;
    }
    return interrupted(tally.frames());
}

QString checkedOutcome(Command command, const SendTally &tally, const SendCheck &check, QString *details)
{
    if (tally.outcome() != SendTally::Outcome::Delivered)
        return sendOutcome(command, tally);
    switch (check.result) {
    case SendCheck::Result::NotAsked:
        break;
    case SendCheck::Result::Verified:
        return tr(words(command).verified);
    case SendCheck::Result::Differs: {
        QStringList all;
        for (const Setting *s : check.differences)
            all.append(settingLabel(*s));
        if (details)
            *details = all.join(QLatin1Char('\n'));
        return QCoreApplication::translate("StatusTexts", "核对不符：%1 项").arg(check.differences.size());
    }
    case SendCheck::Result::Incomplete:
        return QCoreApplication::translate("StatusTexts", "未能核对：读回 %1").arg(blocks(check.received));
    case SendCheck::Result::Silent:
        return QCoreApplication::translate("StatusTexts", "未确认：遥控器无应答");
    }
    return sent(command);
}

QString readForBackupStep(int received)
{
    return QCoreApplication::translate("StatusTexts", "读取 %1 · 先读取，用于备份").arg(blocks(received));
}

QString verifyStep(int received)
{
    return QCoreApplication::translate("StatusTexts", "核对 %1").arg(blocks(received));
}

QString busy()
{
    return QCoreApplication::translate("StatusTexts", "另一命令进行中，未执行");
}

QString cancelled(Command command)
{
    return QCoreApplication::translate("StatusTexts", "已取消：%1").arg(commandName(command));
}

QString noBackup()
{
    return QCoreApplication::translate("StatusTexts", "未备份（读取未完成）");
}

QString closingAfterSend()
{
    return QCoreApplication::translate("StatusTexts", "发送完成后关闭");
}

QString unwrittenList(const QStringList &labels)
{
    return QCoreApplication::translate("StatusTexts", "未写入：") + QLatin1Char('\n') + labels.join(QLatin1Char('\n'));
}

QString interrupted(int frames)
{
    return QCoreApplication::translate("StatusTexts", "写入中断 %1/4").arg(frames);
}

QString notSent()
{
    return QCoreApplication::translate("StatusTexts", "未发送");
}

QString fileOutcome(Command command, const QString &fileName, bool ok, const QString &send)
{
    QString file;
    if (command == Command::Load) {
        file = ok ? QCoreApplication::translate("StatusTexts", "已加载 %1")
                  : QCoreApplication::translate("StatusTexts", "加载失败 %1");
    } else {
        file = ok ? QCoreApplication::translate("StatusTexts", "已保存 %1")
                  : QCoreApplication::translate("StatusTexts", "保存失败 %1");
    }
    return file.arg(markedName(fileName)) + QStringLiteral(" · ") + send;
}

QString fileLacks(const FileDecodeResult &found)
{
    const QString frames = found.missing();
    if (frames.isEmpty())
        return {};
    return QCoreApplication::translate("StatusTexts", "文件缺少 %1 的设置（帧 %2）")
            .arg(listed(pagesWithUnknownSettings(found)), frames);
}

QString uncertain()
{
    return QCoreApplication::translate("StatusTexts", "设置不确定，待完整读取");
}


QString commandName(Command command)
{
    return tr(words(command).name);
}

QString sendStep(Command command, int step)
{
    return QStringLiteral("%1 %2/4").arg(commandName(command)).arg(qBound(0, step, 4));
}

QString readStep(int received)
{
    return QCoreApplication::translate("StatusTexts", "读取 %1").arg(blocks(received));
}

QString unwritten(int count)
{
    return QCoreApplication::translate("StatusTexts", "未写入 %1 项").arg(count);
}


QString backupWritten(Command command)
{
    return tr(words(command).backup);
}

QString backupName(Command command)
{
    return QString::fromLatin1(words(command).backupFile);
}

QString backupFailed()
{
    return QCoreApplication::translate("StatusTexts", "备份失败");
}


QString withTime(const QString &text, const QString &time)
{
    return text + QStringLiteral(" · ") + time;
}

QString needsOpenPort()
{
    return QCoreApplication::translate("StatusTexts", "串口未打开", "a command needed the open port");
}

QString sendCutBanner(int frames)
{
    return interrupted(frames) + QStringLiteral(" · ") + uncertain();
}

QString connectionLost()
{
    return QCoreApplication::translate("StatusTexts", "连接已断开：遥控器已拔出或串口出错");
}

StatusLines composeStatus(const StatusFacts &facts)
{
    StatusLines out;
    QStringList &lines = out.lines;
    if (!facts.progress.isEmpty())
        lines.append(facts.progress);
    else
        lines.append(facts.outcome.isEmpty() ? facts.port : facts.outcome);
    const QString count = facts.unwritten > 0 ? unwritten(facts.unwritten) : QString();
    if (!count.isEmpty())
        lines.append(count);
    else if (facts.uncertain)
        lines.append(uncertain());
    else if (!facts.outcomeDetail.isEmpty())
        lines.append(facts.outcomeDetail);
    else if (!facts.backupNote.isEmpty())
        lines.append(facts.backupNote);
    else if (!facts.outcome.isEmpty())
        lines.append(facts.port);
    // Said where it is seen at once, while the command it waits for runs.
    if (!facts.busy.isEmpty())
        lines = QStringList{lines.first(), facts.busy};

    QStringList details;
    if (!facts.outcome.isEmpty() && !lines.contains(facts.port))
        details.append(facts.port);
    if (facts.uncertain && !lines.contains(uncertain()))
        details.append(uncertain());
    if (!facts.outcomeDetail.isEmpty() && !lines.contains(facts.outcomeDetail))
        details.append(facts.outcomeDetail);
    if (!facts.backupNote.isEmpty()) {
        if (!lines.contains(facts.backupNote))
            details.append(facts.backupNote);
        details.append(facts.backupDetail);
    }
    if (!facts.outcomeDetails.isEmpty())
        details.append(facts.outcomeDetails);
    if (!facts.unwrittenLabels.isEmpty())
        details.append(unwrittenList(facts.unwrittenLabels));
    out.details = details.join(QLatin1Char('\n'));
    return out;
}

} // namespace StatusTexts
