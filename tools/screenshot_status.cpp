// Pictures of the status area in its states, for the documentation:
//   screenshot-status --port <device> [--lang en|zh] <directory>
// With a transmitter (e.g. the virtual one) on <device> it takes, cropped to
// the strip and the status line: status-closed, status-read, status-unwritten,
// status-writing, status-matches and status-interrupted, the whole window with unwritten marks
// (page-unwritten) and tooltip-<button>.png for the command buttons.
// Runs headless with QT_QPA_PLATFORM=offscreen.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include "app/mainwindow.h"
#include "link/waitms.h"
#include "model/translations.h"
#include "ui/mainform.h"

namespace {

const QRect kStatusArea(600, 0, 500, 170);

bool saveArea(QWidget &window, const QDir &out, const QString &name)
{
    return window.grab(kStatusArea).save(out.filePath(name + QStringLiteral(".png")));
}

void settle(int ms)
{
    QApplication::processEvents();
    waitMs(ms);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Pictures of the status area in its states."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("directory"), QStringLiteral("Where the pictures go."));
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("The transmitter's port."),
                                        QStringLiteral("device"));
    const QCommandLineOption langOption(QStringLiteral("lang"), QStringLiteral("Language of the window: en or zh."),
                                        QStringLiteral("code"), QStringLiteral("zh"));
    parser.addOptions({portOption, langOption});
    parser.process(app);
    installLanguage(parser.value(langOption));
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1 || !parser.isSet(portOption))
        parser.showHelp(2);
    const QDir out(parser.positionalArguments().constFirst());
    QDir().mkpath(out.absolutePath());

    MainWindow window;
    window.show();
    MainForm *form = window.form();
    form->tabWidget->setCurrentIndex(1);
    settle(300);
    bool ok = saveArea(window, out, QStringLiteral("status-closed"));

    form->portNameBox->insertItem(0, parser.value(portOption));
    form->portNameBox->setCurrentIndex(0);
    form->openButton->click();
    if (!window.port().isOpen()) {
        err << "cannot open " << parser.value(portOption) << '\n';
        return 1;
    }
    form->toolButton_Read->click();
    settle(2500);
    ok &= saveArea(window, out, QStringLiteral("status-read"));

    form->find<QSpinBox>(QStringLiteral("spinBox_sub1"))->setValue(25);
    form->find<QSpinBox>(QStringLiteral("spinBox_FS2"))->setValue(10);
    settle(300);
    ok &= saveArea(window, out, QStringLiteral("status-unwritten"));
    ok &= window.grab().save(out.filePath(QStringLiteral("page-unwritten.png")));

    // The picture is taken while the second frame's pause runs.
    QTimer::singleShot(200 + 800 + 400, &window, [&] { ok &= saveArea(window, out, QStringLiteral("status-writing")); });
    form->toolButton_Send->click();
    settle(300);
    form->toolButton_Read->click();
    settle(2500);
    ok &= saveArea(window, out, QStringLiteral("status-matches"));

    // A write cut short: the port is closed and opened again in the pause
    // after the first frame.
    form->find<QSpinBox>(QStringLiteral("spinBox_sub1"))->setValue(30);
    QTimer::singleShot(200 + 400, &window, [&] {
        form->openButton->click();
        window.choosePort(parser.value(portOption));
        form->openButton->click();
    });
    form->toolButton_Send->click();
    settle(300);
    ok &= saveArea(window, out, QStringLiteral("status-interrupted"));

    const char *buttons[] = {"toolButton_Read", "toolButton_Send", "toolButton_Load", "toolButton_Save",
                             "toolButton_Reset", "pushButton_Reset2"};
    for (const char *name : buttons) {
        QWidget *button = form->widget(QString::fromLatin1(name));
        QToolTip::showText(button->mapToGlobal(QPoint(20, 20)), button->toolTip(), button);
        settle(300);
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->inherits("QTipLabel") && top->isVisible())
                ok &= top->grab().save(out.filePath(QStringLiteral("tooltip-%1.png").arg(QLatin1String(name))));
        }
        QToolTip::hideText();
    }
    return ok ? 0 : 1;
}
