#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "link/transmitterrecord.h"

// The words of the status line, chosen from the language flag (nonzero
// selects Chinese) like the message texts.
namespace StatusTexts {

enum class Command { Write, FactoryReset, ResetData, Load, Save };

QString portClosed(int lang);
QString portOpen(const QString &port, int lang);
// "已读取 19/19", "读取不完整 7/19", "未收到参数 0/19"
QString readOutcome(const TransmitterRecord::ReadOutcome &outcome, int lang);
// What a complete Read after a send found: "与写入一致", or how many
// settings differ naming the first ones shortly; details lists all in full.
QString comparison(const TransmitterRecord::ReadOutcome &outcome, int lang, QString *details);
// Pages that may show old values after an incomplete Read.
QString stalePages(const QStringList &pages, int lang);
QString sent(Command command, int lang);
// While the frames go out: "写入 2/4"; step 0..4.
QString sendStep(Command command, int step, int lang);
// While a Read reply comes in: "读取 12/19".
QString readStep(int received, int lang);
QString unwritten(int count, int lang);
QString backupWritten(const QString &fileName, int lang);
QString backupFailed(const QString &error, int lang);
// The name in a backup file: "write", "factory-reset", ...
QString backupName(Command command);

// "<text> · 10:42"
QString withTime(const QString &text, const QString &time);

} // namespace StatusTexts
