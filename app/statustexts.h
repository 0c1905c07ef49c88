#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "transfer/replyrules.h"
#include "link/sendtally.h"
#include "link/transmitterrecord.h"

struct FileDecodeResult;

// The words of the status line in the language of the installed translation
// (Chinese without one).
namespace StatusTexts {

enum class Command { Write, FactoryReset, ResetData, Load, Save };

QString portClosed();
QString portOpen(const QString &port);
// "已读取 19/19", "读取不完整 7/19", "未收到参数 0/19"
QString readOutcome(const TransmitterRecord::ReadOutcome &outcome);
// What a complete Read after a send found: "与写入一致", or how many
// settings differ naming the first ones shortly; details lists all in full.
QString comparison(const TransmitterRecord::ReadOutcome &outcome, QString *details);
// Blocks that came after their Read had ended: reported, not taken.
QString lateBlocks(int count);
// Pages that may show old values after an incomplete Read.
QString stalePages(const QStringList &pages);
// A delivered send: "已写入", ..., for Save and Load "已发送".
QString sent(Command command);
// How far a send got: sent(command), "写入中断 2/4", or
// "未发送（串口未打开）".
QString sendOutcome(Command command, const SendTally &tally);
// The same with what the read-back after it found: "已写入并核对",
// "核对不符：2 项", "未确认：遥控器无应答"; details names what differs.
QString checkedOutcome(Command command, const SendTally &tally, const SendCheck &check,
                       QString *details = nullptr);
// Before a command overwrites a transmitter whose set-up is not known, it
// reads it: "读取 3/19 · 先读取，用于备份".
QString readForBackupStep(int received);
// While the read-back after a send comes in: "核对 3/19".
QString verifyStep(int received);
// A command asked for while another runs.
QString busy();
// A command the pilot called off before anything was sent.
QString cancelled(Command command);
// The pilot chose to overwrite without a backup.
QString noBackup();
// The window waits for a send to end before it closes.
QString closingAfterSend();
// The unwritten settings, one per line, for the tooltip.
QString unwrittenList(const QStringList &labels);
QString interrupted(int frames);
QString notSent();
// Save or Load and what became of the file, then of the send:
// "已保存 plane.dat · 未发送（串口未打开）", "保存失败 plane.dat · 已发送".
QString fileOutcome(Command command, const QString &fileName, bool ok, const QString &send);
// A file that lacks frames, by the pages it leaves unknown, as the tabs name
// them: "文件缺少 高级菜单1、高级菜单2 的设置（帧 H, I）"; empty when complete.
QString fileLacks(const FileDecodeResult &found);
// After a send was cut short, until a complete Read.
QString uncertain();
// The command's name: "写入", "出厂设置", ...
QString commandName(Command command);
// While the frames go out: "写入 2/4"; step 0..4.
QString sendStep(Command command, int step);
// While a Read reply comes in: "读取 12/19".
QString readStep(int received);
QString unwritten(int count);
// Short, for the line: "已备份（写入前）"; the path goes to the tooltip.
QString backupWritten(Command command);
QString backupFailed();
// The name in a backup file: "write", "factory-reset", ...
QString backupName(Command command);

// "<text> · 10:42"
QString withTime(const QString &text, const QString &time);

// A command that needs the open port found it closed: "串口未打开".
QString needsOpenPort();

// The banner after a send was cut short ("写入中断 2/4 · 设置不确定，待完整读取")
// or the transmitter went away while the port was open.
QString sendCutBanner(int frames);
QString connectionLost();

// What the status line knows, and the two lines and the tooltip made of it.
struct StatusFacts
{
    QString progress;       // a command's step while it runs
    QString outcome;        // the last command's outcome with its time
    QString port;           // "串口未打开", "已连接 ttyUSB0"
    QString outcomeDetail;  // what the outcome found, for the second line
    QString outcomeDetails; // all of it, for the tooltip
    QString backupNote;     // the backup taken by the command of the outcome
    QString backupDetail;   // its path
    bool uncertain = false; // a send was cut short: unknown until a complete Read
    int unwritten = 0;      // editors whose value is not in the transmitter
    QStringList unwrittenLabels; // the unwritten settings, by name
    QString busy;           // a command refused while another runs
};

struct StatusLines
{
    QStringList lines; // first the step or outcome, then what matters most next
    QString details;   // the rest, for the tooltip
};

// The first line is the running step, else the outcome, else the port. The
// second is the count of unwritten settings whenever there are any (after a
// cut send the banner and the tooltip say it is uncertain), else the
// uncertainty, the outcome's finding, the backup or the port. Whatever is
// not on a line is in the tooltip.
StatusLines composeStatus(const StatusFacts &facts);

} // namespace StatusTexts
