#include "cli/fileinput.h"

#include <QFileInfo>

#include "cli/clitext.h"
#include "cli/settingsreport.h"
#include "model/defaults.h"
#include "model/parameterset.h"

QString ParameterFileInput::missingFrames() const
{
    return found.missing();
}

bool readParameterFileInput(const QString &path, ParameterFileInput *in, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = Cli::tr("%1: no such file").arg(path);
        return false;
    }
    if (info.isDir()) {
        *error = Cli::tr("%1 is a directory, not a parameter file").arg(path);
        return false;
    }
    QString text;
    QString why;
    if (!readParameterFileText(path, &text, &why)) {
        *error = Cli::tr("cannot read %1: %2").arg(path, why);
        return false;
    }
    // Decoded once here only to learn which frames are in place.
    ParameterSet scratch;
    const FileDecodeResult found = decodeParameterFile(text, scratch);
    if (!found.any()) {
        *error = Cli::tr("%1 is not a parameter file: no parameter frame in it").arg(path);
        return false;
    }
    *in = {path, text, found};
    return true;
}

void overlayParameterFile(const ParameterFileInput &in, ParameterSet &p)
{
    decodeParameterFile(in.text, p);
    // Out-of-range values from a damaged file must never reach the servos.
    // The shown dual rates stay as the file has them, as Load sends them;
    // the acknowledged live packets rebuild them between the frames anyway.
    sanitizeParameters(p);
}

QString missingFramesWarning(const ParameterFileInput &in)
{
    const QStringList pages = pagesWithUnknownSettings(in.found);
    if (pages.isEmpty())
        return {};
    return Cli::tr("%1 is incomplete: settings on %2 are unknown (frames %3 missing)")
            .arg(in.path, pages.join(QStringLiteral(", ")), in.missingFrames());
}

bool loadParameterFile(const QString &path, ParameterSet &p, QString *error, QString *warning)
{
    ParameterFileInput in;
    if (!readParameterFileInput(path, &in, error))
        return false;
    *warning = missingFramesWarning(in);
    overlayParameterFile(in, p);
    return true;
}
