#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ParameterSet;

// The properties the fuzz targets hold the code to. Each takes one fuzzer
// input and returns an empty string when every property held, otherwise what
// went wrong. The libFuzzer targets abort on a non-empty answer; the normal
// test suite replays the committed corpus through the same functions.
namespace FuzzChecks {

// Inbound stream: the input cut into chunks, each decoded and followed by
// the dual-rate view and the sanitizer, as the window does. Afterwards every
// member is inside its range and the four frames rebuilt from the set are
// 81 characters each. Each chunk taken apart by the framer, with time up
// after it, gives whole messages the decoder understands and lost bytes,
// with every byte in place.
QString inbound(const QByteArray &data);

// Parameter file: the input read as a file, decoded, sanitized and saved
// again. The saved frames are 81 characters each, and loading them gives
// back exactly the same set-up.
QString parameterFile(const QByteArray &data);

// Frame codec: a ParameterSet filled from the input (any int, any double)
// built into frames, over frame strings that may have lost their shape.
// Every frame is 81 characters with its letter and constant characters in
// place, and decodes back to the values it carries.
QString frameCodec(const QByteArray &data);

// "Name=value" for every checked member outside its valid range and every
// voltage outside its, compared plainly (not the way the sanitizer does).
QStringList membersOutOfRange(const ParameterSet &p);

// Qt's debug output (the "Blength" lines of a file load) would flood the
// fuzzer's log; warnings and worse still show.
void silenceDebugOutput();

} // namespace FuzzChecks
