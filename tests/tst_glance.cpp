// What the window shows at a glance: the status line's verdict whole in
// both languages, old telemetry looking old, the chosen port kept while it
// is unplugged, the banner after an interruption, the language switched at
// run time, and the small helpers behind them.
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>
#include <QTest>
#include <functional>
#include <memory>
#include <utility>

#include "app/messagetexts.h"
#include "app/portlistview.h"
#include "app/startup.h"
#include "app/statustexts.h"
#include "cli/monitorreport.h"
#include "files/parameterfile.h"
#include "link/livevalues.h"
#include "model/formtexts.h"
#include "model/parameterset.h"
#include "model/settings.h"
#include "model/telemetryglance.h"
#include "model/translations.h"
#include "support/appstate.h"
#include "support/fakeportrig.h"
#include "support/modalwatcher.h"
#include "ui/captionfit.h"
#include "ui/mainform.h"
#include "ui/portbox.h"
#include "ui/rangehint.h"
#include "ui/statusline.h"

using StatusTexts::Command;

namespace {

// Sixty characters, as a pilot may well name a file.
const QString kLongName = QStringLiteral("glider-2026-spring-competition-setup-with-new-servos-v12.dat");

QString timed(const QString &text)
{
    return StatusTexts::withTime(text, QStringLiteral("22:58"));
}

// Every first line the status line can show, and the words of it that must
// stay whole: the verdict, never the file name.
struct StatusState
{
    const char *name;
    std::function<QString()> line;
    std::function<QStringList()> verdict;
};

TransmitterRecord::ReadOutcome readOutcome(int received, int differing)
{
    TransmitterRecord::ReadOutcome outcome;
    outcome.received = received;
    outcome.complete = received == ReadReply::kBlockCount;
    for (int i = 0; i < differing && i < settings().size(); ++i)
        outcome.differences.append(&settings().at(i));
    return outcome;
}

SendTally cutAfter(int frames)
{
    SendTally tally;
    tally.begin(true, true);
    for (int i = 0; i < frames; ++i)
        tally.frameWritten(true);
    tally.portClosed();
    return tally;
}

SendTally delivered()
{
    SendTally tally;
    tally.begin(true, true);
    for (int i = 0; i < 4; ++i)
        tally.frameWritten(true);
    tally.closingWritten(true);
    return tally;
}

// What the read-back after a send found.
QString checked(Command command, SendCheck::Result result)
{
    SendCheck check;
    check.result = result;
    check.received = 18;
    for (int i = 0; result == SendCheck::Result::Differs && i < 188 && i < settings().size(); ++i)
        check.differences.append(&settings().at(i));
    return StatusTexts::checkedOutcome(command, delivered(), check);
}

const QVector<StatusState> &statusStates()
{
    static const QVector<StatusState> states = [] {
        QVector<StatusState> out;
        const auto plain = [&out](const char *name, std::function<QString()> text) {
            out.append({name, [text] { return timed(text()); }, [text] { return QStringList{text()}; }});
        };
        plain("port closed", [] { return StatusTexts::portClosed(); });
        plain("port open", [] { return StatusTexts::portOpen(QStringLiteral("/dev/ttyUSB0")); });
        plain("needs the port", [] { return StatusTexts::needsOpenPort(); });
        plain("read", [] { return StatusTexts::readOutcome(readOutcome(19, 0)); });
        plain("read incomplete", [] { return StatusTexts::readOutcome(readOutcome(7, 0)); });
        plain("nothing read", [] { return StatusTexts::readOutcome(readOutcome(0, 0)); });
        plain("written", [] { return StatusTexts::sent(Command::Write); });
        plain("factory values", [] { return StatusTexts::sent(Command::FactoryReset); });
        plain("reset", [] { return StatusTexts::sent(Command::ResetData); });
        plain("interrupted", [] { return StatusTexts::interrupted(3); });
        for (const Command command : {Command::Write, Command::FactoryReset, Command::ResetData}) {
            for (const SendCheck::Result result : {SendCheck::Result::Verified, SendCheck::Result::Differs,
                                                   SendCheck::Result::Incomplete, SendCheck::Result::Silent})
                plain("checked", [=] { return checked(command, result); });
            plain("cancelled", [=] { return StatusTexts::cancelled(command); });
        }
        plain("reading for the backup", [] { return StatusTexts::readForBackupStep(18); });
        plain("verifying", [] { return StatusTexts::verifyStep(18); });
        for (const Command command : {Command::Save, Command::Load}) {
            for (const bool ok : {true, false}) {
                const QVector<std::function<QString()>> sends{
                        [] { return StatusTexts::sent(Command::Save); },
                        [] { return StatusTexts::sendOutcome(Command::Save, SendTally()); },
                        [] { return StatusTexts::sendOutcome(Command::Save, cutAfter(3)); },
                        [] { return checked(Command::Save, SendCheck::Result::Verified); },
                        [] { return checked(Command::Save, SendCheck::Result::Differs); },
                        [] { return checked(Command::Save, SendCheck::Result::Silent); }};
                for (const auto &send : sends) {
                    // The file's verdict word and the send's verdict stay whole.
                    const auto verb = [command, ok] {
                        return StatusTexts::fileOutcome(command, QStringLiteral("\x01"), ok, QString())
                                .section(markedName(QStringLiteral("\x01")), 0, 0);
                    };
                    out.append({command == Command::Save ? "save" : "load",
                                [=] { return timed(StatusTexts::fileOutcome(command, kLongName, ok, send())); },
                                [=] { return QStringList{verb(), send()}; }});
                }
            }
        }
        return out;
    }();
    return states;
}

// A file with the I frame alone: the longest list of pages it lacks.
FileDecodeResult onlyFrameI()
{
    FileDecodeResult found;
    found.i = true;
    return found;
}

// The second lines, and whether each must show whole: the lists of stale
// pages and of the pages a file lacks may be cut, the tooltip gives them in
// full.
QVector<std::pair<QString, bool>> secondLines()
{
    return {{StatusTexts::unwritten(188), true},
            {StatusTexts::uncertain(), true},
            {StatusTexts::comparison(readOutcome(19, 0), nullptr), true},
            {StatusTexts::backupWritten(Command::FactoryReset), true},
            {StatusTexts::backupFailed(), true},
            {StatusTexts::noBackup(), true},
            {StatusTexts::busy(), true},
            {StatusTexts::fileLacks(onlyFrameI()), false},
            {StatusTexts::notSent(), true},
            {StatusTexts::stalePages({QStringLiteral("tab_2"), QStringLiteral("tab_3"), QStringLiteral("tab_4")}),
             false}};
}

// The same sheet as the window: the label's font and padding decide.
struct StatusRig
{
    QMainWindow window;
    MainForm form;
    StatusLine line;
    StatusRig()
    {
        form.setupUi(&window);
        line.create(form.centralwidget);
        window.show();
    }
};

QLineEdit *field(MainWindow &w, const QString &name)
{
    return w.form()->find<QLineEdit>(name);
}

QAction *languageAction(MainWindow &w, const QString &name)
{
    return w.statusMenu()->findChild<QAction *>(name);
}

QString lookInLabel()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto *label = dialog.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    return label ? label->text() : QString();
}

} // namespace

class TestGlance : public QObject
{
    Q_OBJECT

    std::unique_ptr<StatusRig> m_statusRig; // shared by the rows of statusVerdictsFit

private slots:
    void initTestCase()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QCoreApplication::setOrganizationName(QStringLiteral("kelvo-miraq-glance-test"));
    }
    void cleanupTestCase()
    {
        m_statusRig.reset();
        installLanguage(QStringLiteral("zh"));
    }

    // Every status state, in both languages, with a sixty-character file
    // name and the longest second lines: each shown line fits the label as
    // its own font measures it, and the verdict is there whole.
    void statusVerdictsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("state");
        for (const char *language : {"zh", "en"}) {
            for (int i = 0; i < statusStates().size(); ++i)
                QTest::addRow("%s %s %d", language, statusStates().at(i).name, i) << QString::fromLatin1(language) << i;
        }
    }
    void statusVerdictsFit()
    {
        QFETCH(QString, language);
        QFETCH(int, state);
        QVERIFY(installLanguage(language));
        // One form for every row: building it is most of a row's time, and
        // the label's room and face do not depend on the language.
        if (!m_statusRig)
            m_statusRig = std::make_unique<StatusRig>();
        StatusRig &rig = *m_statusRig;
        const StatusState &s = statusStates().at(state);
        const QLabel *label = rig.line.label();
        const QFontMetrics metrics(label->font());
        for (const auto &[second, whole] : secondLines()) {
            rig.line.show({s.line(), second});
            const QStringList shown = label->text().split(QLatin1Char('\n'));
            QVERIFY(shown.size() == 2 || shown.size() == 3);
            QVERIFY(metrics.lineSpacing() * shown.size() <= label->contentsRect().height());
            for (const QString &line : shown)
                QVERIFY2(metrics.horizontalAdvance(line) <= rig.line.textWidth(), qPrintable(line));
            for (const QString &word : s.verdict())
                QVERIFY2(label->text().contains(word), qPrintable(label->text() + QStringLiteral(" / ") + word));
            if (whole)
                QCOMPARE(shown.last(), second);
            // The tooltip has it all, the file name whole.
            QVERIFY(label->toolTip().startsWith(withoutMarks(s.line())));
        }
        // The room left of the indent a framed label gives its text.
        QVERIFY(label->contentsRect().width() - metrics.horizontalAdvance(QLatin1Char('x')) / 2 >= rig.line.textWidth());
    }

    // Nothing on the form is cut at its fixed size, in either language and
    // after a switch: each caption (the channel names included) fits its
    // box, and the closed port list shows the end of each port's name,
    // the mark of an unplugged one included, with the whole in the tooltip.
    void captionsAndPortNamesFit_data() { addLanguageRows(); }
    void captionsAndPortNamesFit()
    {
        QFETCH(QString, language);
        QVERIFY(installLanguage(language == QLatin1String("en") ? QStringLiteral("zh") : QStringLiteral("en")));
        MainWindow w;
        w.switchLanguage(language);
        // A window opened in this language shows each caption as the switched
        // one does: in the same face, with a tooltip only where it was fitted.
        MainWindow opened;
        const QList<QLineEdit *> edits = w.form()->centralwidget->findChildren<QLineEdit *>();
        int captions = 0;
        for (const QLineEdit *edit : edits) {
            if (!edit->property("formCaption").toBool())
                continue;
            ++captions;
            QVERIFY2(CaptionFit::fits(edit), qPrintable(edit->objectName() + QLatin1Char(' ') + edit->text()));
            const QLineEdit *same = opened.form()->find<QLineEdit>(edit->objectName());
            QVERIFY2(same && same->font() == edit->font() && same->toolTip() == edit->toolTip(),
                     qPrintable(edit->objectName() + QLatin1Char(' ') + edit->text()));
        }
        QVERIFY2(captions > 40, qPrintable(QString::number(captions)));
        // The stand-ins the window measures before its sheet goes on ask for
        // the faces the captions have, so that it is polished once.
        QWidget *root = opened.form()->centralwidget;
        const QString rules = CaptionFit::rules(CaptionFit::fitAll(root));
        QCOMPARE(CaptionFit::rulesAhead(root, root->styleSheet()), rules);
        QVERIFY(root->styleSheet().endsWith(rules));
        QCOMPARE(field(w, QStringLiteral("lineEdit_9"))->text(), QStringLiteral("CH1"));

        QComboBox *box = w.form()->portNameBox;
        const QStringList names{"/dev/ttyUSB0", "/dev/pts/12", "/dev/ttyACM10", "COM12",
                                "/home/pilot/links/plane-receiver-port"};
        const QVector<PortEntry> ports{{names.at(0), QString(), true, QString()},
                                       {names.at(1), QString(), false, QString()},
                                       {names.at(3), QString(), true, QString()},
                                       {names.at(4), QString(), false, QString()}};
        const PortListView::View view = PortListView::view(ports, 0, names.at(2));
        for (const PortListView::Item &item : view.items) {
            box->clear();
            box->addItem(item.text, item.name);
            box->setItemData(0, item.boxText, PortBox::kBoxTextRole);
            const QString shown = PortBox::shownText(box);
            QVERIFY2(shown.endsWith(item.name.right(3)), qPrintable(shown));
            QVERIFY2(box->fontMetrics().horizontalAdvance(shown) < box->width(), qPrintable(shown));
            QVERIFY(PortListView::boxToolTip(item, QString()).startsWith(item.text));
        }
    }

    // What goes on the two lines: the count of unwritten settings whenever
    // there are any; a backup only with the command that took it.
    void statusLinesAreComposed_data()
    {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<bool>("uncertain");
        QTest::addColumn<int>("unwritten");
        QTest::addColumn<QString>("backup");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("inTooltip");
        const QString cut = StatusTexts::interrupted(2);
        const QString backup = StatusTexts::backupWritten(Command::Write);
        QTest::newRow("nothing yet") << "" << false << 0 << "" << QStringList{StatusTexts::portClosed()} << "";
        QTest::newRow("cut, edits kept") << cut << true << 3 << ""
                                         << QStringList{cut, StatusTexts::unwritten(3)} << StatusTexts::uncertain();
        QTest::newRow("cut, nothing unwritten") << cut << true << 0 << ""
                                                << QStringList{cut, StatusTexts::uncertain()} << StatusTexts::portClosed();
        QTest::newRow("written, backup") << StatusTexts::sent(Command::Write) << false << 0 << backup
                                         << QStringList{StatusTexts::sent(Command::Write), backup} << "/tmp/b.dat";
        QTest::newRow("edited after backup") << StatusTexts::sent(Command::Write) << false << 2 << backup
                                             << QStringList{StatusTexts::sent(Command::Write), StatusTexts::unwritten(2)}
                                             << backup;
    }
    void statusLinesAreComposed()
    {
        QFETCH(QString, outcome);
        QFETCH(bool, uncertain);
        QFETCH(int, unwritten);
        QFETCH(QString, backup);
        QFETCH(QStringList, lines);
        QFETCH(QString, inTooltip);
        StatusTexts::StatusFacts facts;
        facts.outcome = outcome;
        facts.port = StatusTexts::portClosed();
        facts.uncertain = uncertain;
        facts.unwritten = unwritten;
        facts.backupNote = backup;
        facts.backupDetail = backup.isEmpty() ? QString() : QStringLiteral("/tmp/b.dat");
        const StatusTexts::StatusLines status = StatusTexts::composeStatus(facts);
        QCOMPARE(status.lines, lines);
        QVERIFY2(status.details.contains(inTooltip), qPrintable(status.details));
    }

    // A failed Load after a Load that took a backup: the old backup line goes.
    void aLeftOverBackupLineGoes()
    {
        installLanguage(QStringLiteral("zh"));
        QTemporaryDir dir;
        const QString junk = dir.filePath(QStringLiteral("junk.dat"));
        QFile file(junk);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("no frames here");
        file.close();
        MainWindow w;
        w.setPacing(quickPacing());
        ModalWatcher watcher;
        watcher.setFileDialogAnswer(junk);
        clickLater(w, QStringLiteral("toolButton_Load"));
        QTRY_COMPARE_WITH_TIMEOUT(watcher.messageBoxes().size(), 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!w.transferRunning(), 5000);
        const QString shown = w.findChild<QLabel *>(QStringLiteral("statusLabel"))->text();
        QVERIFY2(shown.startsWith(QStringLiteral("加载失败 junk.dat · 未发送")), qPrintable(shown));
        QVERIFY(!shown.contains(QStringLiteral("已备份")));
    }

    // A command with the port closed: the box, and the status line says why.
    void commandWithThePortClosedSaysSo_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("button");
        for (const char *language : {"zh", "en"})
            for (const char *button : {"toolButton_Send", "toolButton_Read"})
                QTest::addRow("%s %s", language, button) << language << button;
    }
    void commandWithThePortClosedSaysSo()
    {
        QFETCH(QString, language);
        QFETCH(QString, button);
        installLanguage(language);
        MainWindow w;
        w.setPacing(quickPacing());
        w.form()->portNameBox->clear();
        ModalWatcher watcher;
        clickLater(w, button);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.messageBoxes().size(), 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!w.transferRunning(), 5000);
        const QString shown = w.findChild<QLabel *>(QStringLiteral("statusLabel"))->text();
        QVERIFY2(shown.startsWith(language == QLatin1String("en") ? QStringLiteral("Port not open")
                                                                  : QStringLiteral("串口未打开")),
                 qPrintable(shown));
    }

    // Live telemetry stays bright; after a close or an unplug it looks old
    // within a second and a half and says since when and why; the values
    // stay as they were.
    void telemetryLooksStale_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("unplug");
        QTest::addColumn<QString>("why");
        QTest::newRow("zh close") << "zh" << false << "最后读数 %1 · 串口已关闭";
        QTest::newRow("zh unplug") << "zh" << true << "最后读数 %1 · 串口已关闭";
        QTest::newRow("en close") << "en" << false << "Last reading %1 · port closed";
        QTest::newRow("en unplug") << "en" << true << "Last reading %1 · port closed";
    }
    void telemetryLooksStale()
    {
        QFETCH(QString, language);
        QFETCH(bool, unplug);
        QFETCH(QString, why);
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        FakePortRig rig;
        QVERIFY2(rig.start(language), qPrintable(rig.error));
        QVERIFY(rig.openPort());
        LiveFeed feed;
        feed.rssi = 0; // no signal: "null", in words "—"
        rig.tx->startLiveStream(20, feed);
        const QStringList names = telemetryValueNames();
        QTRY_VERIFY_WITH_TIMEOUT(!field(*rig.w, names.first())->property("stale").toBool(), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(field(*rig.w, QStringLiteral("lineEdit_TX"))->text(), QStringLiteral("12.0 V"), 3000);
        QVERIFY(field(*rig.w, QStringLiteral("lineEdit_RSSI"))->toolTip().isEmpty());

        if (unplug) {
            rig.tx->closeMaster();
            QTRY_VERIFY_WITH_TIMEOUT(!rig.w->port().isOpen(), 5000);
        } else {
            rig.tx->stopLiveStream();
            rig.w->form()->openButton->click();
        }
        const QString at = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
        for (const QString &name : names)
            QTRY_VERIFY_WITH_TIMEOUT(field(*rig.w, name)->property("stale").toBool(), 1500);
        QCOMPARE(field(*rig.w, QStringLiteral("lineEdit_TX"))->text(), QStringLiteral("12.0 V"));
        const QString tip = field(*rig.w, QStringLiteral("lineEdit_RSSI"))->toolTip();
        QVERIFY2(tip.contains(QStringLiteral(" \u2014\n")), qPrintable(tip));
        // The last reading came at most a second before the close.
        QVERIFY2(tip.endsWith(why.arg(at)) || tip.endsWith(why.arg(QTime::fromString(at, QStringLiteral("HH:mm:ss"))
                                                                            .addSecs(-1)
                                                                            .toString(QStringLiteral("HH:mm:ss")))),
                 qPrintable(tip));
        QVERIFY(field(*rig.w, QStringLiteral("lineEdit_TX"))->focusPolicy() == Qt::NoFocus);
    }

    void telemetryAge_data()
    {
        QTest::addColumn<qint64>("sinceMs");
        QTest::addColumn<bool>("stale");
        QTest::addColumn<QString>("lastAt");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<QString>("text");
        QTest::newRow("never") << qint64(-1) << false << "" << false << "尚无读数 · 串口已关闭";
        QTest::newRow("live") << qint64(200) << false << "20:43:12" << true << "最后读数 20:43:12 · 无新数据";
        QTest::newRow("a second") << qint64(1000) << true << "20:43:12" << true << "最后读数 20:43:12 · 无新数据";
        QTest::newRow("closed") << qint64(5000) << true << "20:43:12" << false << "最后读数 20:43:12 · 串口已关闭";
    }
    void telemetryAge()
    {
        QFETCH(qint64, sinceMs);
        QFETCH(QString, lastAt);
        QFETCH(bool, portOpen);
        installLanguage(QStringLiteral("zh"));
        QTEST(telemetryStale(sinceMs), "stale");
        QTEST(telemetryAgeText(lastAt, portOpen), "text");
        QCOMPARE(telemetryValueWords(QStringLiteral("null")), QStringLiteral("\u2014"));
        QCOMPARE(telemetryValueWords(QStringLiteral(" 4.2V")), QStringLiteral("4.2V"));
    }

    // Unplugged while open, the chosen port stays the list's choice, marked
    // as not connected, and Open opens nothing and says so; when it comes
    // back it is chosen as before, unmarked.
    void theUnpluggedPortStaysChosen_data() { addLanguageRows(); }
    void theUnpluggedPortStaysChosen()
    {
        QFETCH(QString, language);
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("plane"));
        installLanguage(language);
        auto tx = std::make_unique<FakeTransmitter>();
        QVERIFY(QFile::link(tx->devicePath(), path));
        qputenv("KELVO_EXTRA_PORTS", path.toLocal8Bit());
        MainWindow w;
        qunsetenv("KELVO_EXTRA_PORTS");
        w.setPacing(quickPacing());
        QComboBox *box = w.form()->portNameBox;
        QCOMPARE(box->currentText(), path);
        w.form()->openButton->click();
        QVERIFY(tx->waitForMessage(QStringLiteral("OK"), 5000));

        tx->closeMaster();
        QTRY_VERIFY_WITH_TIMEOUT(!w.port().isOpen(), 5000);
        QVERIFY(QFile::remove(path));
        QCOMPARE(box->currentText(), PortListView::notConnected(path));
        QCOMPARE(box->currentData(Qt::UserRole).toString(), path);
        // The narrow box shows which port it was; its tooltip, all of it.
        QVERIFY2(PortBox::shownText(box).endsWith(QStringLiteral("plane")), qPrintable(PortBox::shownText(box)));
        QVERIFY(box->toolTip().startsWith(PortListView::notConnected(path)));
        QVERIFY(w.banner().isShown());
        QCOMPARE(w.banner().text(), StatusTexts::connectionLost());
        // Rescans while it is away keep it so.
        QTest::qWait(1500);
        QCOMPARE(box->currentText(), PortListView::notConnected(path));

        ModalWatcher watcher;
        clickLater(w, QStringLiteral("openButton"));
        QTRY_COMPARE_WITH_TIMEOUT(watcher.messageBoxes().size(), 1, 5000);
        const bool english = language == QLatin1String("en");
        const SeenMessageBox failure = watcher.messageBoxes().at(0);
        QCOMPARE(failure.text.section('\n', 0, 0),
                 english ? QStringLiteral("Cannot open the serial port!") : QStringLiteral("无法打开串口！"));
        // The unplugged port by its name, why, and the diagnostics.
        QVERIFY2(failure.text.contains((english ? QStringLiteral("No serial port ") : QStringLiteral("没有串口 ")) + path),
                 qPrintable(failure.text));
        QVERIFY(failure.details.contains(path));
        QVERIFY(failure.buttons.contains(english ? QStringLiteral("Copy diagnostics") : QStringLiteral("复制诊断信息")));
        QVERIFY(!w.port().isOpen());
        // The check on demand asks after the port itself, not its entry.
        QTimer::singleShot(0, &w, [&w] { w.findChild<QAction *>(QStringLiteral("connectionCheckAction"))->trigger(); });
        QTRY_COMPARE_WITH_TIMEOUT(watcher.messageBoxes().size(), 2, 10000);
        const QString checked = watcher.messageBoxes().at(1).text;
        QVERIFY2(checked.contains(path) && !checked.contains(PortListView::notConnected(path)), qPrintable(checked));

        auto back = std::make_unique<FakeTransmitter>();
        QVERIFY(QFile::link(back->devicePath(), path));
        QTRY_COMPARE_WITH_TIMEOUT(box->currentText(), path, 5000);
        QCOMPARE(box->findText(PortListView::notConnected(path)), -1);
        // The banner stays until a complete Read, here the one a Write on
        // the port that came back makes first, or a press of its button.
        QVERIFY(w.banner().isShown());
        back->setConfiguration(ParameterSet());
        back->storeWrittenFrames(true);
        back->answerReads(true);
        back->startLiveStream(20);
        w.form()->openButton->click();
        QVERIFY(back->waitForMessage(QStringLiteral("OK"), 5000));
        QVERIFY(waitForStream(w));
        QVERIFY(w.banner().isShown());
        clickLater(w, QStringLiteral("toolButton_Send"));
        QTRY_VERIFY_WITH_TIMEOUT(back->count(QStringLiteral("WWW")) > 0 && !w.transferRunning(), 20000);
        QVERIFY(!w.banner().isShown());
        back->closeMaster();
        QTRY_VERIFY_WITH_TIMEOUT(w.banner().isShown(), 5000);
        w.banner().closeButton()->click();
        QVERIFY(!w.banner().isShown());
    }

    void portListView_data()
    {
        QTest::addColumn<QString>("absent");
        QTest::addColumn<int>("current");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("shownCurrent");
        QTest::newRow("nothing lost") << "" << 1 << QStringList{"ttyS0", "ttyUSB0"} << 1;
        QTest::newRow("lost") << "ttyUSB1" << 0 << QStringList{"（未连接）ttyUSB1", "ttyS0", "ttyUSB0"} << 0;
        QTest::newRow("back") << "ttyUSB0" << 1 << QStringList{"ttyS0", "ttyUSB0"} << 1;
        QTest::newRow("lost, list empty") << "ttyUSB1" << -1 << QStringList{"（未连接）ttyUSB1"} << 0;
    }
    void portListView()
    {
        QFETCH(QString, absent);
        QFETCH(int, current);
        QFETCH(QStringList, texts);
        installLanguage(QStringLiteral("zh"));
        QVector<PortEntry> ports;
        if (current >= 0)
            ports = {{QStringLiteral("ttyS0"), QStringLiteral("No details reported"), false, QString()},
                     {QStringLiteral("ttyUSB0"), QStringLiteral("Description: CH340\nUSB ID: 1a86:7523"), true, QString()}};
        const PortListView::View view = PortListView::view(ports, current, absent);
        QStringList shown;
        for (const PortListView::Item &item : view.items)
            shown.append(item.text);
        QCOMPARE(shown, texts);
        QTEST(view.current, "shownCurrent");
        for (const PortListView::Item &item : view.items)
            QVERIFY2(!item.toolTip.contains(QStringLiteral("Description")) && !item.toolTip.contains(QStringLiteral("No details")),
                     qPrintable(item.toolTip));
    }

    // The port tooltips say the same in each language.
    void portDetailsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zh all") << "zh" << "Description: CH340\nManufacturer: wch.cn\nUSB ID: 1a86:7523"
                                << "描述：CH340\n制造商：wch.cn\nUSB ID：1a86:7523";
        QTest::newRow("zh none") << "zh" << "No details reported" << "系统未提供详细信息";
        QTest::newRow("en all") << "en" << "Description: CH340\nUSB ID: 1a86:7523"
                                << "Description: CH340\nUSB ID: 1a86:7523";
        QTest::newRow("en none") << "en" << "No details reported" << "No details reported";
        QTest::newRow("en given") << "en" << "Added through KELVO_EXTRA_PORTS or --port"
                                  << "Added through KELVO_EXTRA_PORTS or --port";
    }
    void portDetailsFollowTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, reported);
        QVERIFY(installLanguage(language));
        QTEST(PortListView::localDetails(reported), "shown");
    }

    // "English" in the status line's menu: the form, the status line, the
    // port button and Qt's own dialogs speak English at once; the choice is
    // remembered, and --lang still wins for its run. And back to Chinese.
    void theLanguageSwitchesAtRunTime()
    {
        QVERIFY(installLanguage(QStringLiteral("zh")));
        QSettings settings;
        settings.remove(QStringLiteral("language"));
        QCOMPARE(resolveLanguage(QString(), settings), QStringLiteral("zh")); // first start
        const QString chineseLookIn = lookInLabel();
        MainWindow w;
        auto *status = w.findChild<QLabel *>(QStringLiteral("statusLabel"));
        QAction *english = languageAction(w, QStringLiteral("languageEnglish"));
        QAction *chinese = languageAction(w, QStringLiteral("languageChinese"));
        QVERIFY(english && chinese && chinese->isChecked());
        QCOMPARE(w.form()->tabWidget->tabText(1), QStringLiteral("基础菜单"));
        const int shortcuts = int(w.findChildren<QShortcut *>().size());

        struct Expect
        {
            QAction *action;
            QString language, tab, caption, open, status, revert, verify, check, age;
            int langChinese;
        };
        const QVector<Expect> steps{
                {english, "en", "Basic", "TX:", "OPEN", "Port closed", "Revert to transmitter values",
                 "Verify after sending", "Check connection", "No reading yet · port closed", 0},
                {chinese, "zh", "基础菜单", "遥控:", "打开串口", "串口未打开", "恢复为发射机中的值", "发送后读回核对",
                 "检查连接", "尚无读数 · 串口已关闭", 1}};
        for (const Expect &step : steps) {
            step.action->trigger();
            QCOMPARE(currentLanguage(), step.language);
            QCOMPARE(portTexts().title, step.langChinese ? QStringLiteral("提示") : QStringLiteral("Note"));
            QCOMPARE(w.form()->tabWidget->tabText(1), step.tab);
            QCOMPARE(w.form()->find<QLineEdit>(QStringLiteral("lineEdit_26"))->text(), step.caption);
            QCOMPARE(w.form()->openButton->text(), step.open);
            QVERIFY2(status->text().startsWith(step.status), qPrintable(status->text()));
            QVERIFY(step.action->isChecked());
            // Ctrl+Tab is not made ambiguous by keys added twice.
            QCOMPARE(int(w.findChildren<QShortcut *>().size()), shortcuts);
            QStringList menu;
            for (QAction *action : w.statusMenu()->actions())
                menu.append(action->text());
            QVERIFY(menu.contains(step.revert));
            QVERIFY(menu.contains(step.verify) && menu.contains(step.check));
            // The values are not the form's words: they stay; how old they
            // are is said again in the new words with the next refresh.
            QCOMPARE(w.form()->find<QLineEdit>(QStringLiteral("lineEdit_TX"))->text(), QStringLiteral(" 0.0V"));
            QTRY_VERIFY2_WITH_TIMEOUT(field(w, QStringLiteral("lineEdit_RSSI"))->toolTip().endsWith(step.age),
                                      qPrintable(field(w, QStringLiteral("lineEdit_RSSI"))->toolTip()), 1000);
            QCOMPARE(QSettings().value(QStringLiteral("language")).toString(), step.language);
            QSettings again;
            QCOMPARE(resolveLanguage(QString(), again), step.language); // the next start
            if (step.language == QLatin1String("en"))
                QCOMPARE(lookInLabel(), QStringLiteral("Look in:"));
            else
                QCOMPARE(lookInLabel(), chineseLookIn);
        }
        // A page the pilot dragged elsewhere keeps its own title.
        QTabWidget *tabs = w.form()->tabWidget;
        tabs->tabBar()->moveTab(1, 3);
        english->trigger();
        QCOMPARE(tabs->tabText(tabs->indexOf(w.form()->widget(QStringLiteral("tab_2")))), QStringLiteral("Basic"));
        QCOMPARE(tabs->tabText(1), formText(QStringLiteral("tab_3")));
        chinese->trigger();
        QSettings given;
        QCOMPARE(resolveLanguage(QStringLiteral("en"), given), QStringLiteral("en")); // --lang wins
        given.remove(QStringLiteral("language"));
    }

    // With the port open the open button keeps telling the state in the new
    // language: the next press closes the port.
    void theLanguageSwitchKeepsThePortState()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
        FakePortRig rig;
        QVERIFY2(rig.start(QStringLiteral("zh")), qPrintable(rig.error));
        QVERIFY(rig.openPort());
        rig.w->switchLanguage(QStringLiteral("en"));
        QCOMPARE(rig.w->form()->openButton->text(), QStringLiteral("CLOSE"));
        rig.w->form()->openButton->click();
        QVERIFY(rig.tx->waitForMessage(QStringLiteral("DIS"), 3000));
        QVERIFY(!rig.w->port().isOpen());
        QCOMPARE(rig.w->form()->openButton->text(), QStringLiteral("OPEN"));
        rig.w->switchLanguage(QStringLiteral("zh"));
        QSettings().remove(QStringLiteral("language"));
    }

    // A key that would leave the range is refused by the box; the hint says
    // the bound.
    void rangeRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<int>("refusal");
        const int none = int(RangeHint::Refusal::None);
        const int above = int(RangeHint::Refusal::AboveMaximum);
        const int below = int(RangeHint::Refusal::BelowMinimum);
        QTest::newRow("110") << "11" << 2 << -1 << 0 << "0" << -100.0 << 100.0 << above;
        QTest::newRow("100") << "10" << 2 << -1 << 0 << "0" << -100.0 << 100.0 << none;
        QTest::newRow("-110") << "-11" << 3 << -1 << 0 << "0" << -100.0 << 100.0 << below;
        QTest::newRow("selection replaced") << "50" << 2 << 0 << 2 << "7" << -100.0 << 100.0 << none;
        QTest::newRow("in front") << "50" << 0 << -1 << 0 << "9" << -100.0 << 100.0 << above;
        QTest::newRow("minus") << "" << 0 << -1 << 0 << "-" << -100.0 << 100.0 << none;
        QTest::newRow("volts 100.0") << "10.0" << 2 << -1 << 0 << "0" << 0.0 << 99.9 << above;
        QTest::newRow("mode 0") << "" << 0 << -1 << 0 << "0" << 1.0 << 4.0 << none;
    }
    void rangeRefusals()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QString, typed);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QTEST(int(RangeHint::judge(text, cursor, selectionStart, selectionLength, typed, minimum, maximum)),
              "refusal");
    }

    // Typed into the window's box: the value the pilot sees stays and the
    // hint beside it names the bound.
    void typingPastTheRangeShowsTheBound_data() { addLanguageRows(); }
    void typingPastTheRangeShowsTheBound()
    {
        QFETCH(QString, language);
        installLanguage(language);
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.form()->tabWidget->setCurrentIndex(4);
        auto *box = w.form()->find<QSpinBox>(QStringLiteral("spinBox_PRM01_Data1"));
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("110"));
        QCOMPARE(box->text(), QStringLiteral("11"));
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 2000);
        QCOMPARE(QToolTip::text(), language == QLatin1String("en") ? QStringLiteral("max 100") : QStringLiteral("最大 100"));
    }

    // The command-line monitor: one shape for every voltage.
    void monitorReadingLine()
    {
        ParameterSet p;
        LiveValues live{1185, 30, 42, 123, 0};
        QCOMPARE(::monitorReadingLine(p, live),
                 QStringLiteral("CH 1000 1000 1000 1000 1000 1000 1000 1000  TX 11.8 V  RSSI -70 dBm  RX 4.2 V  EXT 12.3 V"));
        live = {385, 0, 0, 99, 0};
        QVERIFY(::monitorReadingLine(p, live).endsWith(QStringLiteral("TX 3.8 V  RSSI none  RX 0.0 V  EXT 9.9 V")));
    }
};

QTEST_MAIN(TestGlance)
#include "tst_glance.moc"
