#include "ui/platformfonts.h"

#include <QApplication>
#include <QFont>

#include "ui/formstyles.h"

QStringList chineseFallbackFaces()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("Microsoft YaHei"), QStringLiteral("SimSun")};
#else
    return {};
#endif
}

void installChineseFallbackFaces()
{
    const QStringList faces = chineseFallbackFaces();
    if (faces.isEmpty())
        return;
    // The system face of widgets and of message boxes (Segoe UI, or MS Shell
    // Dlg 2 on older systems), besides the one the form names.
    QStringList latin{FormStyle::arial(9, false).family(), QApplication::font().family(),
                      QApplication::font("QMessageBox").family()};
    latin.removeDuplicates();
    // Adds only what a family does not have yet.
    for (const QString &family : latin)
        QFont::insertSubstitutions(family, faces);
}
