#include "cli/sheetcommand.h"

#include <QFileInfo>

#include <cstring>

#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/fileinput.h"
#include "files/setupsheet.h"
#include "model/parameterset.h"
#include "print/sheetfile.h"

bool needsFonts(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "sheet") == 0)
            return true;
    }
    return false;
}

int writeSheet(const QString &path, const QString &out)
{
    if (!SheetFile::knownExtension(out))
        return fail(ExitCode::Usage, Cli::tr("sheet writes .html or .pdf, not %1").arg(out));
    ParameterSet p;
    QString error;
    QString warning;
    if (!loadParameterFile(path, p, &error, &warning))
        return fail(ExitCode::File, error);
    if (!warning.isEmpty())
        printError(warning);
    const QString html = SetupSheet::html(p, SetupSheet::fileSource(QFileInfo(path).fileName()),
                                          QDateTime::currentDateTime());
    if (!SheetFile::write(html, out, &error))
        return fail(ExitCode::File, Cli::tr("cannot write %1: %2").arg(out, error));
    printLine(Cli::tr("set-up sheet written to %1 (checksum %2)").arg(out, SetupSheet::checksum(p)));
    return exitStatus(ExitCode::Ok);
}
