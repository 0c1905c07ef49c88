#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "link/transmitterrecord.h"

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
// Pages that may show old values after an incomplete Read.
QString stalePages(const QStringList &pages);
QString sent(Command command);
// While the frames go out: "写入 2/4"; step 0..4.
QString sendStep(Command command, int step);
// While a Read reply comes in: "读取 12/19".
QString readStep(int received);
QString unwritten(int count);
QString backupWritten(const QString &fileName);
QString backupFailed(const QString &error);
// The name in a backup file: "write", "factory-reset", ...
QString backupName(Command command);

// "<text> · 10:42"
QString withTime(const QString &text, const QString &time);

} // namespace StatusTexts
