#include "cli/clilanguage.h"

QString commandLineLanguage(const QString &given, const QLocale &system)
{
    if (!given.isEmpty())
        return given;
    return system.language() == QLocale::Chinese ? QStringLiteral("zh") : QStringLiteral("en");
}
