#pragma once

#include <QLocale>
#include <QString>

// The language the command-line tool speaks, "zh" or "en": the one given
// with --lang, or else the system's, Chinese for a Chinese locale and
// English for any other. A given language other than zh or en is returned
// as it is, for the caller to refuse.
QString commandLineLanguage(const QString &given, const QLocale &system);
