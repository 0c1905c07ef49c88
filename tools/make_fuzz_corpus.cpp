// Writes the seed inputs of the fuzz targets:
//   make-fuzz-corpus <fuzz/corpus>
// into <dir>/fuzz_inbound, <dir>/fuzz_parameterfile and <dir>/fuzz_framecodec.
// The seeds are real traffic and real files: the transmitter's Read reply and
// live packets, the files the tool saves for the start-up, factory and an
// edited set-up, and a few damaged ones.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <climits>

#include "files/parameterfile.h"
#include "fuzz/fuzzinput.h"
#include "link/framecodec.h"
#include "link/parameterblocks.h"
#include "model/defaults.h"
#include "model/parameterset.h"
#include "model/settings.h"

namespace {

bool writeSeed(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(dir);
    QFile file(dir + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        QTextStream(stderr) << "cannot write " << file.fileName() << ": " << file.errorString() << '\n';
        return false;
    }
    return true;
}

ParameterSet factorySet()
{
    ParameterSet p;
    restoreFactoryFirst(p);
    restoreFactorySecond(p);
    return p;
}

// Every frame with a value away from the start and factory values.
ParameterSet editedSet()
{
    ParameterSet p = factorySet();
    p.Rev5 = 1;
    p.Sub1 = 20;
    p.Sub7 = -100;
    p.Lepa2 = 120;
    p.FS8 = 7;
    p.Aux6 = 5;
    p.TxVolt = 7.4;
    p.Mode = 3;
    p.AttiM = 1;
    p.Elev2 = -30;
    p.Ru4 = -99;
    p.Delay6 = 0;
    p.DrMix = 1;
    p.DrCh = 2;
    p.DrRateUp[2] = p.DrUpShown = 61;
    p.DrRateDown[2] = p.DrDownShown = 62;
    p.Prm2Data3 = -100;
    p.Prm1Slave = 7;
    p.Prm4Data2 = 100;
    p.ThCureExtra = 3;
    p.ThCure4 = 77;
    p.DrPosi = 1;
    p.DrExpDown[2] = -55;
    p.ExtVolt = 4.5;
    p.RssiAlarm = -40;
    p.DrSw = 2;
    p.RxVolt = 6.1;
    p.Trim3 = 7;
    p.Trim1 = 238;
    return p;
}

QByteArray joined(const QVector<QByteArray> &chunks)
{
    QByteArray out;
    for (const QByteArray &c : chunks)
        out += c;
    return out;
}

bool inboundSeeds(const QString &dir)
{
    const QVector<QByteArray> reply = encodeParameterBlocks(editedSet());
    QVector<QByteArray> twelve;
    for (const QByteArray &block : reply) {
        if (block.size() == kParamBlockLength)
            twelve << block;
    }
    const QByteArray channels = encodeChannelPacket({1500, 600, 1000, 1000, 2000, 0, 1200, 1300}, 1187);
    const QByteArray status = encodeStatusPacket(80, 52, 111, 100, 239, 130, 0);

    // Blocks 1 to 8 as the transmitter sends them: six of 12 bytes, the
    // 8-byte source block, then block 8.
    const QByteArray firstEight = joined(reply.mid(0, 8));
    // A block of each type with every data byte at its maximum.
    QByteArray allHigh;
    for (QByteArray block : twelve) {
        for (int i = kBlockFirstDataIndex; i < kParamBlockLength - 1; ++i)
            block[i] = char(0xFF);
        allHigh += block;
    }

    return writeSeed(dir, QStringLiteral("read-reply-12-byte-blocks"), chunkedInput({12}, false, joined(twelve)))
        && writeSeed(dir, QStringLiteral("read-reply-first-eight"), chunkedInput({12, 12, 12, 12, 12, 12, 8, 12}, false, firstEight))
        && writeSeed(dir, QStringLiteral("live-stream"), chunkedInput({20}, false, (channels + status).repeated(4)))
        && writeSeed(dir, QStringLiteral("live-stream-trims-held"), chunkedInput({20}, true, (status + channels).repeated(2)))
        && writeSeed(dir, QStringLiteral("blocks-out-of-range"), chunkedInput({12}, false, allHigh))
        && writeSeed(dir, QStringLiteral("mixed-and-split"), chunkedInput({20, 0, 7, 13, 12, 8, 8, 20}, false,
                                                                 channels + twelve.at(1) + twelve.at(5) + reply.at(6) + status + status + channels));
}

bool parameterFileSeeds(const QString &dir)
{
    const QByteArray edited = parameterFileBytes(editedSet());
    QByteArray withLineEnds;
    for (int k = 0; k < 4; ++k)
        withLineEnds += edited.mid(k * kFrameLength, kFrameLength) + "\r\n";
    QByteArray notHex = edited;
    notHex.replace(9, 2, "ZZ");
    notHex.replace(1, 1, "B"); // a hex letter in a digit field
    return writeSeed(dir, QStringLiteral("start-up"), parameterFileBytes(ParameterSet()))
        && writeSeed(dir, QStringLiteral("factory"), parameterFileBytes(factorySet()))
        && writeSeed(dir, QStringLiteral("edited"), edited)
        && writeSeed(dir, QStringLiteral("edited-with-line-ends"), withLineEnds)
        && writeSeed(dir, QStringLiteral("s-and-g-only"), edited.left(2 * kFrameLength))
        && writeSeed(dir, QStringLiteral("not-hex"), notHex);
}

bool frameCodecSeeds(const QString &dir)
{
    const int ints = intSettings().size();
    const int volts = voltSettings().size();
    const auto filled = [&](char intSelector, char voltSelector, const QByteArray &frameDamage) {
        return QByteArray(ints, intSelector) + QByteArray(volts, voltSelector) + frameDamage;
    };
    // Selectors: 0 INT_MIN / NaN, 1 INT_MAX / +inf, 2 zero / -inf; 74 gives
    // the int 0 through the small-value range.
    QByteArray counting;
    for (int i = 0; i < ints; ++i)
        counting.append(char(10 + i % 118));
    counting += QByteArray(volts, char(100)) + QByteArray(1, '\0');
    return writeSeed(dir, QStringLiteral("int-min-nan"), filled(0, 0, QByteArray(1, '\0')))
        && writeSeed(dir, QStringLiteral("int-max-inf"), filled(1, 1, QByteArray(1, '\0')))
        && writeSeed(dir, QStringLiteral("small-values-damaged-frames"),
                     counting.left(counting.size() - 1) + QByteArray("\x0f\x05SHORT\x00\x50", 9) + QByteArray(80, 'X'))
        && writeSeed(dir, QStringLiteral("counting"), counting);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: make-fuzz-corpus <corpus directory>\n";
        return 2;
    }
    const QString root = args.at(1);
    const bool ok = inboundSeeds(root + QStringLiteral("/fuzz_inbound"))
            && parameterFileSeeds(root + QStringLiteral("/fuzz_parameterfile"))
            && frameCodecSeeds(root + QStringLiteral("/fuzz_framecodec"));
    return ok ? 0 : 1;
}
