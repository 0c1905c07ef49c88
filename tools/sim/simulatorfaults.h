#pragma once

#include <QString>

class QCommandLineParser;

// Ways the virtual transmitter can misbehave, for tests and for trying what
// the tool does when a transmitter lets it down. All off by default.
struct SimulatorFaults
{
    char ignoreFrame = 0;     // 'S', 'G', 'H' or 'I': arrives as usual but is not stored
    int silentAfterFrames = 0; // > 0: after that many parameter frames it neither streams nor answers
    int repeatBlock = 0;      // 1..19: in a Read reply this block comes again and again, the rest never
    int blockGapMs = 0;       // > 0: the blocks of a Read reply come this far apart

    bool any() const { return ignoreFrame || silentAfterFrames > 0 || repeatBlock > 0 || blockGapMs > 0; }
    // One line for the log: "ignores the H frame, ...".
    QString describe() const;
};

// The command-line options that switch the faults on (--ignore-frame,
// --silent-after, --repeat-block, --block-gap).
void addFaultOptions(QCommandLineParser &parser);
// Reads them into faults; an empty string when they are all valid, what is
// wrong otherwise.
QString readFaultOptions(const QCommandLineParser &parser, SimulatorFaults *faults);
