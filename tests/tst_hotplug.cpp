// The window's port list follows ports that come and go: pseudo-terminals
// linked into a temporary directory named by KELVO_EXTRA_PORTS.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "app/mainwindow.h"
#include "app/portlistview.h"
#include "link/portlist.h"
#include "support/appstate.h"
#include "support/faketransmitter.h"
#include "ui/mainform.h"

namespace {

// The list rescans about once a second; this bound leaves room for a busy
// machine.
constexpr int kFollowMs = 5000;
// Longer than a rescan period, for what must not happen.
constexpr int kQuietMs = 2500;

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out.append(box->itemText(i));
    return out;
}

// The window, with two extra paths that exist only while a test links them
// to the pseudo-terminal of a transmitter.
struct HotPlugRig
{
    QTemporaryDir dir;
    QString first = dir.filePath(QStringLiteral("first"));
    QString second = dir.filePath(QStringLiteral("second"));
    std::unique_ptr<FakeTransmitter> tx;
    std::unique_ptr<MainWindow> w;

    bool start()
    {
        tx = std::make_unique<FakeTransmitter>();
        qputenv("KELVO_EXTRA_PORTS", (first + QDir::listSeparator() + second).toLocal8Bit());
        w = std::make_unique<MainWindow>();
        qunsetenv("KELVO_EXTRA_PORTS");
        return dir.isValid() && tx->isOpen() && !items(box()).contains(first);
    }
    bool plug(const QString &path) const { return QFile::link(tx->devicePath(), path); }
    QComboBox *box() const { return w->form()->portNameBox; }
    QStringList listed() const { return items(box()); }
};

bool machineHasUsefulPorts()
{
    const QVector<PortEntry> system = scanPorts({});
    return std::any_of(system.cbegin(), system.cend(), [](const PortEntry &p) { return p.useful; });
}

} // namespace

class TestHotPlug : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!FakeTransmitter::isSupported())
            QSKIP("pseudo-terminals are not available here");
    }

    // Listed and chosen when it comes; a port that comes next leaves the
    // choice alone; rescans that find nothing new leave the box alone (no
    // flicker); gone when it goes.
    void portsComeAndGo()
    {
        HotPlugRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.plug(rig.second));
        QTRY_VERIFY_WITH_TIMEOUT(rig.listed().contains(rig.second), kFollowMs);
        QCOMPARE(rig.listed().indexOf(rig.second), 0);
        QVERIFY(rig.box()->itemData(0, Qt::ToolTipRole).toString().contains(QStringLiteral("KELVO_EXTRA_PORTS")));
        if (!machineHasUsefulPorts())
            QCOMPARE(rig.box()->currentText(), rig.second);
        rig.box()->setCurrentIndex(0);

        QSignalSpy inserted(rig.box()->model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(rig.box()->model(), &QAbstractItemModel::rowsRemoved);
        QTest::qWait(kQuietMs);
        QCOMPARE(inserted.count() + removed.count(), 0);

        QVERIFY(rig.plug(rig.first));
        QTRY_VERIFY_WITH_TIMEOUT(rig.listed().contains(rig.first), kFollowMs);
        QCOMPARE(rig.listed().mid(0, 2), (QStringList{rig.first, rig.second}));
        QCOMPARE(rig.box()->currentText(), rig.second);

        QVERIFY(QFile::remove(rig.second));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.listed().contains(rig.second), kFollowMs);
    }

    void nothingChangesWhileThePortIsOpen()
    {
        HotPlugRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.plug(rig.first));
        QTRY_VERIFY_WITH_TIMEOUT(rig.listed().contains(rig.first), kFollowMs);
        rig.box()->setCurrentIndex(rig.box()->findText(rig.first));
        rig.w->form()->openButton->click();
        QVERIFY(rig.tx->waitForMessage(QStringLiteral("OK"), 5000));

        const QStringList before = rig.listed();
        QVERIFY(rig.plug(rig.second));
        QVERIFY(QFile::remove(rig.first)); // the open port keeps its device
        QTest::qWait(kQuietMs);
        QCOMPARE(rig.listed(), before);
        QCOMPARE(rig.box()->currentText(), rig.first);

        // Closing rescans at once.
        rig.w->form()->openButton->click();
        QVERIFY(rig.tx->waitForMessage(QStringLiteral("DIS"), 5000));
        QVERIFY(!rig.listed().contains(rig.first));
        QVERIFY(rig.listed().contains(rig.second));
    }

    // Unplugged for a moment, the port the user chose is chosen again when
    // it returns, unless the user chose another meanwhile; the choice that
    // the list made for itself does not count.
    void theUsersChoiceReturnsWithItsPort()
    {
        HotPlugRig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.plug(rig.first));
        QVERIFY(rig.plug(rig.second));
        QTRY_VERIFY_WITH_TIMEOUT(rig.listed().contains(rig.second), kFollowMs);
        QCOMPARE(rig.listed().mid(0, 2), (QStringList{rig.first, rig.second}));
        // By keyboard, as a user picks: the extra entries come first.
        QTest::keyClick(rig.box(), Qt::Key_Home);
        QTest::keyClick(rig.box(), Qt::Key_Down);
        QCOMPARE(rig.box()->currentText(), rig.second);

        // Gone while the port is closed, it keeps its place and stays the
        // choice, marked, so that Open is not pressed on another port.
        QVERIFY(QFile::remove(rig.second));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.listed().contains(rig.second), kFollowMs);
        QCOMPARE(rig.box()->currentText(), PortListView::notConnected(rig.second));
        QCOMPARE(rig.box()->currentData().toString(), rig.second);
        QVERIFY(rig.listed().contains(rig.first));
        QVERIFY(rig.plug(rig.second));
        QTRY_COMPARE_WITH_TIMEOUT(rig.box()->currentText(), rig.second, kFollowMs);
        QVERIFY(!rig.listed().contains(PortListView::notConnected(rig.second)));

        QVERIFY(QFile::remove(rig.second));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.listed().contains(rig.second), kFollowMs);
        // Another port picked from the popup: the unplugged one leaves.
        rig.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.w.get()));
        QTest::keyClick(rig.box(), Qt::Key_F4);
        QTest::keyClick(rig.box()->view(), Qt::Key_Down);
        QTest::keyClick(rig.box()->view(), Qt::Key_Return);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(rig.box()->currentText(), rig.first);
        QVERIFY(!rig.listed().contains(PortListView::notConnected(rig.second)));
        QVERIFY(rig.plug(rig.second));
        QTRY_VERIFY_WITH_TIMEOUT(rig.listed().contains(rig.second), kFollowMs);
        QCOMPARE(rig.box()->currentText(), rig.first);

        // A port named at start that is not there yet is chosen when it comes.
        const QString later = rig.dir.filePath(QStringLiteral("later"));
        QVERIFY(!rig.w->choosePort(later));
        QVERIFY(QFile::link(rig.tx->devicePath(), later));
        QTRY_COMPARE_WITH_TIMEOUT(rig.box()->currentText(), later, kFollowMs);
    }

    void openingThePopupRescansAtOnce()
    {
        HotPlugRig rig;
        QVERIFY(rig.start());
        rig.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.w.get()));
        QVERIFY(rig.plug(rig.first));
        QTest::mouseClick(rig.box(), Qt::LeftButton);
        QVERIFY(rig.listed().contains(rig.first));
        rig.box()->hidePopup();

        QVERIFY(QFile::remove(rig.first));
        QTest::keyClick(rig.box(), Qt::Key_F4);
        QVERIFY(!rig.listed().contains(rig.first));
        rig.box()->hidePopup();
    }
};

QTEST_MAIN(TestHotPlug)
#include "tst_hotplug.moc"
