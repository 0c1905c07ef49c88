#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
struct ParameterFrames;
struct ParameterSet;

// A parameter file is the four frames S, G, H, I back to back: 324 ASCII
// bytes, nothing before, between or after them.
constexpr int kParameterFileLength = 324;

// Upper bound on what a load reads. Everything past the I frame is ignored,
// so a prefix of this size decodes exactly like the whole file.
constexpr qint64 kParameterFileReadLimit = 4096;

// The bytes of a parameter file for the frames as they stand (Latin-1).
QByteArray parameterFileBytes(const ParameterFrames &frames);

// The bytes Save would write for p: its four frames built afresh (on a copy,
// since building a frame stores the voltage tenths it carries).
QByteArray parameterFileBytes(ParameterSet p);

// Reads at most maxBytes from device and returns them as text, decoded the
// way a Qt 5 text stream with its default codec would: the system's encoding
// (UTF-8 on Linux and macOS) unless a byte-order mark says otherwise, with the
// same result under Qt 6. Never reads a huge file whole; the length of the
// result is the length of what was read.
QString readParameterFileText(QIODevice &device, qint64 maxBytes = kParameterFileReadLimit);

// Opens path read-only and reads it as above. Returns false (and leaves text
// alone) when the file cannot be opened or is not a regular file: a FIFO, a
// device or a directory is refused before it is opened, so nothing blocks.
bool readParameterFileText(const QString &path, QString *text, QString *errorString = nullptr,
                           qint64 maxBytes = kParameterFileReadLimit);

struct FileDecodeResult
{
    int length = 0; // length of the decoded text in characters
    bool s = false;
    bool g = false;
    bool h = false;
    bool i = false;
    bool any() const { return s || g || h || i; }
    // The letters of the frames not found, "H, I"; empty when all are there.
    QString missing() const;
};

// Decodes every frame of text that sits at its fixed offset with its letter
// and terminator in place and every field written in its encoding
// (frameFieldsValid), into p. Only recognised frames are written, so when
// nothing is recognised (result.any() is false) p is left exactly as it was
// and the caller reports the file as unreadable. Writes the "Blength" debug
// lines. Does not sanitize and does not recompute the dual-rate view.
FileDecodeResult decodeParameterFile(const QString &text, ParameterSet &p);

// Whether writeParameterFile(path) can be expected to succeed, found out
// without changing anything: false for a target that exists and is not a
// regular file, and where neither a new file can be made nor an existing one
// written over.
bool canWriteParameterFile(const QString &path, QString *errorString = nullptr);

// Replaces the file at path with bytes atomically: the old file survives any
// failure (full disk, lost permissions). Where the directory allows no new
// file but the file itself may be written, it is written in place instead;
// the old content is then not protected. A target that exists and is not a
// regular file (device, FIFO, directory) is refused. Every write and the
// final flush are checked, since a full disk may only show up when the data
// leaves the buffer. On failure returns false and, when errorString is
// given, says why.
bool writeParameterFile(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);
