// Pictures of the focus frame, for the documentation:
//   screenshot-focus [--lang en|zh] <directory>
// Takes focus-spinbox.png (a spin box of the basic menu with the focus, its
// neighbours without) and focus-button.png (the strip with the Read button
// focused). Runs headless with QT_QPA_PLATFORM=offscreen.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include "app/mainwindow.h"
#include "link/waitms.h"
#include "model/translations.h"
#include "ui/mainform.h"

namespace {

bool grabWithFocus(MainWindow &window, QWidget *widget, const QRect &area, const QString &path)
{
    widget->setFocus(Qt::TabFocusReason);
    waitMs(300);
    return widget->hasFocus() && window.grab(area).save(path);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Pictures of the focus frame."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("directory"), QStringLiteral("Where the pictures go."));
    const QCommandLineOption langOption(QStringLiteral("lang"), QStringLiteral("Language of the window: en or zh."),
                                        QStringLiteral("code"), QStringLiteral("zh"));
    parser.addOption(langOption);
    parser.process(app);
    installLanguage(parser.value(langOption));
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const QDir out(parser.positionalArguments().constFirst());
    QDir().mkpath(out.absolutePath());

    MainWindow window;
    window.show();
    window.activateWindow();
    for (int i = 0; i < 50 && !window.isActiveWindow(); ++i)
        waitMs(100);
    MainForm *form = window.form();
    form->tabWidget->setCurrentIndex(1);
    QApplication::processEvents();
    bool ok = grabWithFocus(window, form->find<QSpinBox>(QStringLiteral("spinBox_sub3")), QRect(120, 160, 520, 300),
                            out.filePath(QStringLiteral("focus-spinbox.png")));
    ok &= grabWithFocus(window, form->toolButton_Read, QRect(0, 0, 620, 110),
                        out.filePath(QStringLiteral("focus-button.png")));
    return ok ? 0 : 1;
}
