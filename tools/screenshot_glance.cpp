// Pictures of what the window shows at a glance, for the documentation:
//   screenshot-glance --sim <kelvo-miraq-sim> [--lang en|zh] <directory>
// Starts the virtual transmitter, drives the window through its states and
// saves, with the language as suffix: 1-telemetry-live, 1-telemetry-stale
// (with the signal's tooltip), 2-status-long-name, 2-status-failed-load,
// 3-banner-cut, 3-banner-unplugged, 4-port-absent, 4-open-absent,
// 5-marks (unwritten, focus, pointer), 6-port-popup, 7-language-menu,
// 7-switched, 7-file-dialog, 8-write-closed and 8-range-hint. Only widgets
// found by object name are used, so it shows whatever the build offers.
// Runs headless with QT_QPA_PLATFORM=offscreen.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
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

const QRect kStrip(600, 0, 500, 190);
const QRect kTop(0, 0, 1100, 200);

void settle(int ms)
{
    QApplication::processEvents();
    waitMs(ms);
}

// The window's area with every visible popup, menu and tooltip drawn over it
// where it stands.
QPixmap shotWithPopups(QWidget &window, const QRect &area)
{
    QPixmap shot = window.grab(area);
    QPainter painter(&shot);
    const QPoint origin = window.mapToGlobal(area.topLeft());
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top == &window || !top->isVisible())
            continue;
        if (top->inherits("QTipLabel") || top->inherits("QMenu") || top->inherits("QComboBoxPrivateContainer"))
            painter.drawPixmap(top->pos() - origin, top->grab());
    }
    return shot;
}

// Answers the dialogs that come up: a file dialog with the next file (typed
// into its name field), a message box with its accepting button, each
// message box pictured first. Answers run from the event loop, since an
// answer may bring up another box (overwrite?).
struct DialogAnswers : QObject
{
    QString file;
    QString boxPicture; // where the next message box's picture goes
    QTimer timer;
    QPointer<QWidget> answered;
    DialogAnswers()
    {
        connect(&timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == answered)
                return;
            answered = modal;
            if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                const QString path = file;
                QTimer::singleShot(0, dialog, [dialog, path] {
                    if (path.isEmpty()) {
                        dialog->reject();
                        return;
                    }
                    dialog->selectFile(path);
                    if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                        name->setText(path);
                    static_cast<QDialog *>(dialog)->accept();
                });
            } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (!boxPicture.isEmpty())
                    box->grab().save(boxPicture);
                boxPicture.clear();
                QAbstractButton *yes = nullptr;
                for (QAbstractButton *button : box->buttons()) {
                    const QMessageBox::ButtonRole role = box->buttonRole(button);
                    if (!yes && (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole))
                        yes = button;
                }
                QTimer::singleShot(0, box, [box, yes] {
                    if (yes)
                        yes->click();
                    else
                        box->done(0);
                });
            }
        });
        timer.start(100);
    }
};

void typeKey(QWidget *target, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Pictures of what the window shows at a glance."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("directory"), QStringLiteral("Where the pictures go."));
    const QCommandLineOption simOption(QStringLiteral("sim"), QStringLiteral("The virtual transmitter program."),
                                       QStringLiteral("path"));
    const QCommandLineOption langOption(QStringLiteral("lang"), QStringLiteral("Language of the window: en or zh."),
                                        QStringLiteral("code"), QStringLiteral("zh"));
    parser.addOptions({simOption, langOption});
    parser.process(app);
    QTextStream err(stderr);
    if (parser.positionalArguments().size() != 1 || !parser.isSet(simOption))
        parser.showHelp(2);
    const QString lang = parser.value(langOption);
    installLanguage(lang);
    const QDir out(parser.positionalArguments().constFirst());
    QDir().mkpath(out.absolutePath());
    const auto path = [&](const char *name) {
        return out.filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(name), lang));
    };
    bool ok = true;
    const auto save = [&](const QPixmap &shot, const char *name) { ok &= shot.save(path(name)); };

    QProcess sim;
    sim.start(parser.value(simOption), QStringList());
    if (!sim.waitForReadyRead(5000)) {
        err << "the virtual transmitter did not start\n";
        return 1;
    }
    const QString port = QString::fromUtf8(sim.readLine()).trimmed().section(QLatin1Char(' '), 1);

    MainWindow window;
    window.show();
    MainForm *form = window.form();
    DialogAnswers answers;
    window.choosePort(port);
    settle(300);

    // 6: the port list's popup with its highlight and an entry's tooltip.
    form->portNameBox->showPopup();
    settle(300);
    form->portNameBox->view()->setCurrentIndex(form->portNameBox->model()->index(0, 0));
    QToolTip::showText(form->portNameBox->mapToGlobal(QPoint(10, 70)),
                       form->portNameBox->itemData(0, Qt::ToolTipRole).toString(), form->portNameBox);
    settle(300);
    save(shotWithPopups(window, QRect(600, 0, 500, 260)), "6-port-popup");
    form->portNameBox->hidePopup();
    QToolTip::hideText();

    // 8: Write with the port closed.
    form->tabWidget->setCurrentIndex(1);
    form->toolButton_Send->click();
    settle(500);
    save(window.grab(kStrip), "8-write-closed");

    form->openButton->click();
    if (!window.port().isOpen()) {
        err << "cannot open " << port << '\n';
        return 1;
    }
    form->toolButton_Read->click();
    settle(2500);
    save(window.grab(kStrip), "1-telemetry-live");

    // 5: an unwritten value, the focus and the pointer side by side.
    form->find<QSpinBox>(QStringLiteral("spinBox_sub1"))->setValue(25);
    form->find<QSpinBox>(QStringLiteral("spinBox_sub2"))->setValue(-10);
    form->find<QSpinBox>(QStringLiteral("spinBox_sub2"))->setFocus();
    QWidget *hovered = form->widget(QStringLiteral("spinBox_sub4"));
    hovered->setAttribute(Qt::WA_UnderMouse, true);
    hovered->update();
    form->widget(QStringLiteral("spinBox_sub3"))->setFocus();
    form->find<QSpinBox>(QStringLiteral("spinBox_sub3"))->setValue(5);
    settle(300);
    save(window.grab(QRect(0, 150, 560, 330)), "5-marks");
    hovered->setAttribute(Qt::WA_UnderMouse, false);

    // 8: 110 typed into a -100..100 box.
    form->tabWidget->setCurrentIndex(4);
    auto *mix = form->find<QSpinBox>(QStringLiteral("spinBox_PRM01_Data1"));
    mix->setFocus();
    mix->selectAll();
    typeKey(mix, Qt::Key_1, QStringLiteral("1"));
    typeKey(mix, Qt::Key_1, QStringLiteral("1"));
    typeKey(mix, Qt::Key_0, QStringLiteral("0"));
    settle(300);
    save(shotWithPopups(window, QRect(0, 150, 400, 330)), "8-range-hint");
    QToolTip::hideText();
    form->tabWidget->setCurrentIndex(1);

    // 2: a sixty-character file name, then a failed Load after a good one.
    const QString longName = out.filePath(QStringLiteral("glider-2026-spring-competition-setup-with-new-servos-v12.dat"));
    answers.file = longName;
    form->toolButton_Save->click();
    settle(1500);
    save(window.grab(kStrip), "2-status-long-name");
    form->toolButton_Load->click();
    settle(1500);
    const QString junk = out.filePath(QStringLiteral("junk.dat"));
    QFile junkFile(junk);
    ok &= junkFile.open(QIODevice::WriteOnly) && junkFile.write("no frames") > 0;
    junkFile.close();
    answers.file = junk;
    form->toolButton_Load->click();
    settle(1500);
    save(window.grab(kStrip), "2-status-failed-load");
    QFile::remove(junk);
    QFile::remove(longName);
    answers.file.clear();

    // 3: a write cut short by the port closing and opening again.
    form->find<QSpinBox>(QStringLiteral("spinBox_sub1"))->setValue(30);
    QTimer::singleShot(200 + 400, &window, [&] {
        form->openButton->click();
        window.choosePort(port);
        form->openButton->click();
    });
    form->toolButton_Send->click();
    settle(500);
    save(window.grab(kTop), "3-banner-cut");

    // 4 and 1: the transmitter unplugged while the port is open.
    form->toolButton_Read->click();
    settle(2500);
    sim.kill();
    sim.waitForFinished(3000);
    settle(1800);
    save(window.grab(kTop), "3-banner-unplugged");
    save(window.grab(QRect(600, 0, 500, 110)), "4-port-absent");
    auto *rssi = form->widget(QStringLiteral("lineEdit_RSSI"));
    QToolTip::showText(rssi->mapToGlobal(QPoint(10, 20)), rssi->toolTip(), rssi);
    settle(300);
    save(shotWithPopups(window, QRect(600, 0, 500, 190)), "1-telemetry-stale");
    QToolTip::hideText();
    answers.boxPicture = path("4-open-absent");
    form->openButton->click();
    settle(500);

    // 7: the language entries of the status line's menu, then the other
    // language and one of Qt's own dialogs in it.
    QLabel *status = window.findChild<QLabel *>(QStringLiteral("statusLabel"));
    QMenu *menu = window.statusMenu();
    menu->popup(status->mapToGlobal(QPoint(0, status->height())));
    settle(300);
    if (auto *languages = menu->findChild<QMenu *>(QStringLiteral("languageMenu"))) {
        menu->setActiveAction(languages->menuAction());
        languages->popup(menu->mapToGlobal(QPoint(menu->width(), menu->actionGeometry(languages->menuAction()).top())));
        settle(300);
    }
    save(shotWithPopups(window, QRect(500, 100, 600, 300)), "7-language-menu");
    menu->hide();
    const QString other = lang == QLatin1String("en") ? QStringLiteral("languageChinese")
                                                      : QStringLiteral("languageEnglish");
    if (auto *action = menu->findChild<QAction *>(other))
        action->trigger();
    settle(500);
    save(window.grab(), "7-switched");
    QFileDialog dialog(&window);
    dialog.show();
    settle(500);
    save(dialog.grab(), "7-file-dialog");
    dialog.hide();
    return ok ? 0 : 1;
}
