#include "model/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>


namespace {

const char kEnglishCatalogue[] = ":/i18n/kelvo-miraq-config_en.qm";

QPointer<QTranslator> &installedTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

void removeInstalledTranslator()
{
    QPointer<QTranslator> &translator = installedTranslator();
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// Qt's own words (file dialogs, standard buttons) in Chinese: from Qt's
// translations folder, or from "translations" beside the program, where the
// Windows package puts them. Without either they stay English.
QPointer<QTranslator> &installedQtTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

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
    QPointer<QTranslator> &translator = installedQtTranslator();
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    if (!chinese)
        return;
    auto *qt = new QTranslator(QCoreApplication::instance());
    for (const QString &folder : qtTranslationFolders()) {
        if (qt->load(QStringLiteral("qtbase_zh_CN"), folder) && QCoreApplication::installTranslator(qt)) {
            translator = qt;
            return;
        }
    }
    delete qt;
}

bool installEnglish()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QString::fromLatin1(kEnglishCatalogue))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    installedTranslator() = translator;
    return true;
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

int &chineseMessages()
{
    static int chinese = 1;
    return chinese;
}

bool installLanguage(const QString &lang)
{
    loadTranslationResources();
    removeInstalledTranslator();
    chineseMessages() = 1;
    languageInEffect() = QStringLiteral("zh");
    if (lang == QLatin1String("en") && installEnglish()) {
        setQtChinese(false);
        chineseMessages() = 0;
        languageInEffect() = QStringLiteral("en");
        return true;
    }
    setQtChinese(true);
    return lang.isEmpty() || lang == QLatin1String("zh");
}

