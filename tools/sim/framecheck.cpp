#include "sim/framecheck.h"

#include <QVector>

namespace {

// Text that must stand at a fixed place in a frame of one kind.
struct FixedText
{
    FrameKind kind;
    int position;
    QByteArray text;
};

const QVector<FixedText> &fixedTexts()
{
    static const QVector<FixedText> texts{
        {FrameKind::S, 80, "Y"},
        {FrameKind::G, 36, "6"},
        {FrameKind::G, 77, "6D2Z"},
        {FrameKind::H, 76, "0000X"},
        {FrameKind::I, 9, QByteArray(71, '0') + 'V'},
    };
    return texts;
}

bool isUpperHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

QString printable(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F)
        return QStringLiteral("'%1'").arg(QLatin1Char(c));
    return QStringLiteral("0x%1").arg(u, 2, 16, QLatin1Char('0'));
}

} // namespace

bool frameKindOf(const QByteArray &frame, FrameKind *kind)
{
    if (frame.isEmpty())
        return false;
    for (FrameKind k : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I}) {
        if (frameLayout(k).letter == QLatin1Char(frame.at(0))) {
            *kind = k;
            return true;
        }
    }
    return false;
}

QString frameProblem(const QByteArray &frame)
{
    FrameKind kind;
    if (!frameKindOf(frame, &kind))
        return QStringLiteral("not a frame letter");
    if (frame.size() != kFrameLength)
        return QStringLiteral("%1 bytes instead of %2").arg(frame.size()).arg(kFrameLength);
    for (const FixedText &fixed : fixedTexts()) {
        const QByteArray &expected = fixed.text;
        if (fixed.kind == kind && frame.mid(fixed.position, expected.size()) != expected) {
            return QStringLiteral("\"%1\" at %2 instead of \"%3\"")
                    .arg(QString::fromLatin1(frame.mid(fixed.position, expected.size())))
                    .arg(fixed.position)
                    .arg(QString::fromLatin1(expected));
        }
    }
    // The terminator is the only letter outside 0-9, A-F.
    for (int i = 1; i < kFrameLength - 1; ++i) {
        if (!isUpperHex(frame.at(i)))
            return QStringLiteral("%1 at %2 is not a hexadecimal digit").arg(printable(frame.at(i))).arg(i);
    }
    return QString();
}
