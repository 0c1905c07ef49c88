#include "cli/console.h"

#include <QCoreApplication>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

bool putBytes(std::FILE *stream, const QByteArray &bytes)
{
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    return std::fflush(stream) == 0 && written == size_t(bytes.size());
}

void filterMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    printError(message);
}

bool put(std::FILE *stream, const QString &line)
{
    return putBytes(stream, line.toUtf8() + '\n');
}

} // namespace

void setUpConsole()
{
#ifdef Q_OS_WIN
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

bool printLine(const QString &line)
{
    return put(stdout, line);
}

void printText(const QString &text)
{
    putBytes(stdout, text.toUtf8());
}

void printLines(const QStringList &lines)
{
    for (const QString &line : lines)
        printLine(line);
}

void printError(const QString &message)
{
    put(stderr, QCoreApplication::applicationName() + QStringLiteral(": ") + message);
}

int fail(ExitCode code, const QString &message)
{
    printError(message);
    return exitStatus(code);
}

void installMessageFilter()
{
    qInstallMessageHandler(filterMessage);
}
