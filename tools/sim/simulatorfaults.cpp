#include "sim/simulatorfaults.h"

#include <QCommandLineParser>
#include <QStringList>

namespace {

constexpr int kBlockCount = 19;
constexpr int kMaxGapMs = 60000;

struct FaultOption
{
    const char *name;
    const char *valueName;
    const char *description;
};

const FaultOption kOptions[] = {
    {"ignore-frame", "S|G|H|I", "Fault: take this parameter frame as usual but do not store it."},
    {"silent-after", "n", "Fault: after the nth parameter frame neither stream nor answer any more."},
    {"repeat-block", "n", "Fault: in a Read reply send block n (1-19) again and again instead of going on."},
    {"block-gap", "ms", "Fault: send the blocks of a Read reply this many milliseconds apart."},
};

// A whole number from low to high, or -1.
int numberIn(const QString &text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= low && n <= high ? n : -1;
}

} // namespace

QString SimulatorFaults::describe() const
{
    QStringList parts;
    if (ignoreFrame)
        parts.append(QStringLiteral("ignores the %1 frame").arg(QLatin1Char(ignoreFrame)));
    if (silentAfterFrames > 0)
        parts.append(QStringLiteral("goes silent after %1 frame(s)").arg(silentAfterFrames));
    if (repeatBlock > 0)
        parts.append(QStringLiteral("repeats block %1 of a reply").arg(repeatBlock));
    if (blockGapMs > 0)
        parts.append(QStringLiteral("sends reply blocks %1 ms apart").arg(blockGapMs));
    return parts.join(QStringLiteral(", "));
}

void addFaultOptions(QCommandLineParser &parser)
{
    for (const FaultOption &o : kOptions) {
        parser.addOption(QCommandLineOption(QLatin1String(o.name), QLatin1String(o.description),
                                            QLatin1String(o.valueName)));
    }
}

QString readFaultOptions(const QCommandLineParser &parser, SimulatorFaults *faults)
{
    SimulatorFaults f;
    const QString frame = parser.value(QStringLiteral("ignore-frame")).toUpper();
    if (parser.isSet(QStringLiteral("ignore-frame"))) {
        if (frame.size() != 1 || !QStringLiteral("SGHI").contains(frame))
            return QStringLiteral("--ignore-frame takes S, G, H or I");
        f.ignoreFrame = frame.at(0).toLatin1();
    }
    if (parser.isSet(QStringLiteral("silent-after"))) {
        f.silentAfterFrames = numberIn(parser.value(QStringLiteral("silent-after")), 1, 1000000);
        if (f.silentAfterFrames < 0)
            return QStringLiteral("--silent-after takes a number of frames, 1 or more");
    }
    if (parser.isSet(QStringLiteral("repeat-block"))) {
        f.repeatBlock = numberIn(parser.value(QStringLiteral("repeat-block")), 1, kBlockCount);
        if (f.repeatBlock < 0)
            return QStringLiteral("--repeat-block takes a block number from 1 to %1").arg(kBlockCount);
    }
    if (parser.isSet(QStringLiteral("block-gap"))) {
        f.blockGapMs = numberIn(parser.value(QStringLiteral("block-gap")), 1, kMaxGapMs);
        if (f.blockGapMs < 0)
            return QStringLiteral("--block-gap takes milliseconds from 1 to %1").arg(kMaxGapMs);
    }
    *faults = f;
    return {};
}
