#include "cli/console.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

bool put(std::FILE *stream, const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    return std::fflush(stream) == 0 && written == size_t(bytes.size());
}

void filterMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    printError(message);
}

} // namespace

bool printLine(const QString &line)
{
    return put(stdout, line);
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
