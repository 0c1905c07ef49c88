#include "cli/fileinput.h"

#include <QFileInfo>
#include <QStringList>

#include "cli/clitext.h"
#include "files/parameterfile.h"
#include "model/defaults.h"
#include "model/parameterset.h"

bool loadParameterFile(const QString &path, ParameterSet &p, QString *error, QString *warning)
{
    warning->clear();
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

    ParameterSet decoded = p;
    const FileDecodeResult found = decodeParameterFile(text, decoded);
    if (!found.any()) {
        *error = Cli::tr("%1 is not a parameter file: no parameter frame in it").arg(path);
        return false;
    }
    QStringList missing;
    const struct
    {
        bool present;
        const char *letter;
    } frames[] = {{found.s, "S"}, {found.g, "G"}, {found.h, "H"}, {found.i, "I"}};
    for (const auto &frame : frames) {
        if (!frame.present)
            missing.append(QLatin1String(frame.letter));
    }
    if (!missing.isEmpty()) {
        *warning = Cli::tr("%1 lacks the frames %2; their settings keep their start values")
                           .arg(path, missing.join(QStringLiteral(", ")));
    }

    // Out-of-range values from a damaged file must never reach the servos.
    // The shown dual rates stay as the file has them, as Load sends them;
    // the acknowledged live packets rebuild them between the frames anyway.
    sanitizeParameters(decoded);
    p = decoded;
    return true;
}
