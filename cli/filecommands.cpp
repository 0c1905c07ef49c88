#include "cli/filecommands.h"

#include <cstdio>

#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/fileinput.h"
#include "cli/settingsreport.h"
#include "model/parameterset.h"

namespace {

// Loads path into p, printing a warning for a partial file. False after
// printing the error.
bool load(const QString &path, ParameterSet &p)
{
    QString error;
    QString warning;
    if (!loadParameterFile(path, p, &error, &warning)) {
        printError(error);
        return false;
    }
    if (!warning.isEmpty())
        printError(warning);
    return true;
}

} // namespace

int showFile(const QString &path, bool json)
{
    ParameterSet p;
    if (!load(path, p))
        return exitStatus(ExitCode::File);
    if (json) {
        const QByteArray bytes = settingsJson(p);
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fflush(stdout);
    } else {
        printLines(settingsListing(p));
    }
    return exitStatus(ExitCode::Ok);
}

int diffFiles(const QString &pathA, const QString &pathB)
{
    ParameterSet a;
    ParameterSet b;
    if (!load(pathA, a) || !load(pathB, b))
        return exitStatus(ExitCode::File);
    const QStringList differences = differenceListing(a, b);
    if (differences.isEmpty()) {
        printLine(Cli::tr("no differences"));
        return exitStatus(ExitCode::Ok);
    }
    printLines(differences);
    return exitStatus(ExitCode::Differs);
}
