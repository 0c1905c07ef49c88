#include "model/translations.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

#include "model/parameterset.h"

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

bool installLanguage(const QString &lang)
{
    loadTranslationResources();
    removeInstalledTranslator();
    params().LangChinese = 1;
    if (lang == QLatin1String("en")) {
        if (!installEnglish())
            return false;
        params().LangChinese = 0;
        return true;
    }
    return lang.isEmpty() || lang == QLatin1String("zh");
}

