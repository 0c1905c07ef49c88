#include "cli/filecommands.h"

#include <cstdio>

#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/fileinput.h"
#include "cli/settingsreport.h"
#include "model/parameterset.h"

namespace {

// Reads path into in and decodes it over p, which holds the start values,
// as the window's Load does; says which pages a partial file leaves unknown.
// False after printing the error.
bool load(const QString &path, ParameterFileInput &in, ParameterSet &p)
{
    QString error;
    if (!readParameterFileInput(path, &in, &error)) {
        printError(error);
        return false;
    }
    overlayParameterFile(in, p);
    const QString warning = missingFramesWarning(in);
    if (!warning.isEmpty())
        printError(warning);
    return true;
}

bool complete(const ParameterFileInput &in)
{
    return pagesWithUnknownSettings(in.found).isEmpty();
}

} // namespace

int showFile(const QString &path, bool json)
{
    ParameterFileInput in;
    ParameterSet p;
    if (!load(path, in, p))
        return exitStatus(ExitCode::File);
    if (json) {
        const QByteArray bytes = settingsJson(p, in.found);
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        std::fflush(stdout);
    } else {
        printLines(settingsListing(p, in.found));
    }
    return exitStatus(complete(in) ? ExitCode::Ok : ExitCode::Unknown);
}

int diffFiles(const QString &pathA, const QString &pathB)
{
    ParameterFileInput inA;
    ParameterFileInput inB;
    ParameterSet a;
    ParameterSet b;
    if (!load(pathA, inA, a) || !load(pathB, inB, b))
        return exitStatus(ExitCode::File);
    const QStringList differences = differenceListing(a, b, inA.found, inB.found);
    if (differences.isEmpty()) {
        printLine(Cli::tr("no differences"));
        return exitStatus(ExitCode::Ok);
    }
    printLines(differences);
    return exitStatus(complete(inA) && complete(inB) ? ExitCode::Differs : ExitCode::Unknown);
}
