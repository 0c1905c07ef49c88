#pragma once

#include <QString>
#include <QVector>

struct TransferLink;
struct ParameterSet;

// The proof after a send: the transmitter's configuration read back with
// "RR" and compared with what was sent, every setting, the trims included
// (from a status packet that came after the read-back). Prints what it found,
// closes the session and returns the exit status (cli/exitcode.h): Ok only
// when everything was read back and equal. A transmitter that stays silent
// after the send, a read-back that does not complete and trims that cannot
// be checked are never reported as verified. A port that goes away
// meanwhile is told apart from one gone before the send (SendCut, not Port).
int verifySend(TransferLink &link, const QString &port, const ParameterSet &sent);

// Block numbers for a message: "2, 3, 17".
QString blockList(const QVector<int> &blocks);
