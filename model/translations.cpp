#include "model/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

const char kEnglishCatalogue[] = ":/i18n/kelvo-miraq-config_en.qm";
const char kChineseCatalogue[] = ":/i18n/kelvo-miraq-config_zh.qm";

// The catalogue of the tool's own words, and Qt's for its dialogs.
QPointer<QTranslator> &ownTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

// The Chinese of the command-line tool's English source texts.
QPointer<QTranslator> &commandLineTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

QPointer<QTranslator> &qtTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

void uninstall(QPointer<QTranslator> &translator)
{
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// Installs the catalogue name from the first folder that has it; false when
// none does.
bool install(QPointer<QTranslator> &installed, const QString &name, const QStringList &folders)
{
    uninstall(installed);
    auto *translator = new QTranslator(QCoreApplication::instance());
    for (const QString &folder : folders) {
        if (translator->load(name, folder) && QCoreApplication::installTranslator(translator)) {
            installed = translator;
            return true;
        }
    }
    delete translator;
    return false;
}

// Qt's own words (file dialogs, standard buttons) in Chinese: from Qt's
// translations folder, or from "translations" beside the program, where the
// Windows package puts them. Without either they stay English.
QStringList qtTranslationFolders()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString qtFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    return {QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")), qtFolder};
}

void setQtChinese(bool chinese)
{
    if (chinese)
        install(qtTranslator(), QStringLiteral("qtbase_zh_CN"), qtTranslationFolders());
    else
        uninstall(qtTranslator());
}

} // namespace

// The catalogues are compiled into this static library; it must register
// them before first use.
static void loadTranslationResources()
{
    Q_INIT_RESOURCE(kelvo_translations);
}

namespace {
QString &languageInEffect()
{
    static QString language = QStringLiteral("zh");
    return language;
}
} // namespace

QString currentLanguage()
{
    return languageInEffect();
}

bool installLanguage(const QString &lang)
{
    loadTranslationResources();
    uninstall(ownTranslator());
    languageInEffect() = QStringLiteral("zh");
    if (lang == QLatin1String("en")
        && install(ownTranslator(), QString::fromLatin1(kEnglishCatalogue), {QString()})) {
        setQtChinese(false);
        languageInEffect() = QStringLiteral("en");
        return true;
    }
    setQtChinese(true);
    return lang.isEmpty() || lang == QLatin1String("zh");
}

bool installCommandLineLanguage(const QString &lang)
{
    uninstall(commandLineTranslator());
    const bool installed = installLanguage(lang);
    if (currentLanguage() == QLatin1String("en"))
        return installed;
    return install(commandLineTranslator(), QString::fromLatin1(kChineseCatalogue), {QString()}) && installed;
}
