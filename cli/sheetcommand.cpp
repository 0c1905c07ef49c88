#include "cli/sheetcommand.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <cstring>

#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/fileinput.h"
#include "files/setupsheet.h"
#include "model/parameterset.h"

bool needsFonts(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "sheet") == 0)
            return true;
    }
    return false;
}

bool writeSheetPdf(const QString &html, const QString &path, QString *error)
{
    // Into a file beside it first: a sheet cut short never replaces one
    // that was whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("kelvo-miraq-cli"));
        QTextDocument document;
        document.setHtml(html);
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        document.print(&writer);
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

int writeSheet(const QString &path, const QString &out)
{
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix != QLatin1String("html") && suffix != QLatin1String("htm") && suffix != QLatin1String("pdf"))
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
    if (suffix == QLatin1String("pdf")) {
        if (!writeSheetPdf(html, out, &error))
            return fail(ExitCode::File, Cli::tr("cannot write %1: %2").arg(out, error));
    } else {
        QSaveFile file(out);
        const QByteArray bytes = html.toUtf8();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return fail(ExitCode::File, Cli::tr("cannot write %1: %2").arg(out, file.errorString()));
    }
    printLine(Cli::tr("set-up sheet written to %1 (checksum %2)").arg(out, SetupSheet::checksum(p)));
    return exitStatus(ExitCode::Ok);
}
