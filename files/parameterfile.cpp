#include "files/parameterfile.h"

#include <QStringList>

#include <QBuffer>
#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include "link/framecodec.h"
#include "model/parameterset.h"

namespace {

// Last character of each frame, checked together with the frame letter.
QChar terminator(FrameKind kind)
{
    switch (kind) {
    case FrameKind::S:
        return QLatin1Char('Y');
    case FrameKind::G:
        return QLatin1Char('Z');
    case FrameKind::H:
        return QLatin1Char('X');
    case FrameKind::I:
        break;
    }
    return QLatin1Char('V');
}

// A frame counts when its letter and terminator are in place and every
// field is written in its encoding: a frame of "Q"s is no frame, and must
// not reach the transmitter as zeros.
bool hasFrameAt(const QString &text, FrameKind kind)
{
    const int offset = kFrameLength * int(kind);
    const int last = offset + kFrameLength - 1;
    return text.size() > last && text.at(offset) == frameLayout(kind).letter
            && text.at(last) == terminator(kind) && frameFieldsValid(kind, text, offset);
}

// Decodes the frame of kind when it is in place; a nonzero debugLine writes
// "Blength0<n>:<length>" first.
bool decodeIfPresent(const QString &text, FrameKind kind, int debugLine, ParameterSet &p)
{
    if (!hasFrameAt(text, kind))
        return false;
    if (debugLine)
        qDebug("Blength%02d:%d", debugLine, int(text.size()));
    decodeFrameFields(kind, text, kFrameLength * int(kind), p);
    return true;
}

bool isRegularFile(const QString &path)
{
    return QFileInfo(path).isFile(); // a link counts as what it points to
}

QString notRegularFile(const QString &path)
{
    return QCoreApplication::translate("ParameterFile", "%1 is not a regular file").arg(path);
}

} // namespace

QByteArray parameterFileBytes(const ParameterFrames &frames)
{
    QByteArray bytes;
    bytes.reserve(kParameterFileLength);
    for (const QString &frame : {frames.FrameS, frames.FrameG, frames.FrameH, frames.FrameI})
        bytes += frame.toLatin1();
    return bytes;
}

QByteArray parameterFileBytes(ParameterSet p)
{
    ParameterFrames frames;
    for (FrameKind kind : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I})
        rebuildFrame(kind, p, frames);
    return parameterFileBytes(frames);
}

QString readParameterFileText(QIODevice &device, qint64 maxBytes)
{
    QByteArray head = device.read(qMax<qint64>(0, maxBytes));
    QBuffer buffer(&head);
    buffer.open(QIODevice::ReadOnly);
    QTextStream stream(&buffer);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Qt 5 decodes with the locale's encoding by default, Qt 6 with UTF-8;
    // the system encoding keeps the files reading the same under both.
    stream.setEncoding(QStringConverter::System);
#endif
    return stream.readAll();
}

bool readParameterFileText(const QString &path, QString *text, QString *errorString, qint64 maxBytes)
{
    // Decided before opening: opening a FIFO without a writer blocks for
    // ever, and a device such as /dev/zero never ends.
    if (QFileInfo::exists(path) && !isRegularFile(path)) {
        if (errorString)
            *errorString = notRegularFile(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    *text = readParameterFileText(file, maxBytes);
    return true;
}

FileDecodeResult decodeParameterFile(const QString &text, ParameterSet &p)
{
    FileDecodeResult result;
    const int length = text.size();
    result.length = length;
    qDebug("Blength00:%d", length);

    // A frame counts only at its fixed offset, and only once the text is
    // longer than the pair (S, G) or the triple (S, G, H) it belongs to: an S
    // frame alone is not enough.
    if (length > 2 * kFrameLength - 1) {
        result.s = decodeIfPresent(text, FrameKind::S, 1, p);
        result.g = decodeIfPresent(text, FrameKind::G, 2, p);
    }
    if (length > 3 * kFrameLength - 1) {
        result.h = decodeIfPresent(text, FrameKind::H, 3, p);
        result.i = decodeIfPresent(text, FrameKind::I, 0, p);
    }
    return result;
}

bool canWriteParameterFile(const QString &path, QString *errorString)
{
    if (QFileInfo::exists(path) && !isRegularFile(path)) {
        if (errorString)
            *errorString = notRegularFile(path);
        return false;
    }
    // A trial run of the atomic save, which leaves nothing behind.
    QSaveFile probe(path);
    if (probe.open(QIODevice::WriteOnly)) {
        probe.cancelWriting();
        return true;
    }
    // No temporary file next to it, but the file itself can be written over.
    const QFileInfo existing(path);
    if (existing.exists() && existing.isWritable())
        return true;
    if (errorString)
        *errorString = probe.errorString();
    return false;
}

bool writeParameterFile(const QString &path, const QByteArray &bytes, QString *errorString)
{
    // Never replace a device or a FIFO by a regular file (as root, a save
    // onto /dev/full would do exactly that).
    if (QFileInfo::exists(path) && !isRegularFile(path)) {
        if (errorString)
            *errorString = notRegularFile(path);
        return false;
    }
    QSaveFile file(path);
    // In a directory where no temporary file can be made, an existing file
    // that may be written is written in place.
    file.setDirectWriteFallback(true);
    const auto fail = [&](const QString &reason) {
        if (errorString)
            *errorString = reason;
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size())
        return fail(file.errorString());
    if (!file.flush())
        return fail(file.errorString());
    if (!file.commit()) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    return true;
}

QString FileDecodeResult::missing() const
{
    QStringList letters;
    const bool found[] = {s, g, h, i};
    const char *names[] = {"S", "G", "H", "I"};
    for (int k = 0; k < 4; ++k) {
        if (!found[k])
            letters.append(QLatin1String(names[k]));
    }
    return letters.join(QStringLiteral(", "));
}
