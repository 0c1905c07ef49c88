// The port list: which port is chosen as ports come and go, the tooltip
// texts, and the scan of extra device paths.
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "app/portchooser.h"
#include "link/portlist.h"
#include "link/portwatch.h"

namespace {

// "ttyS0 +ttyUSB0": a built-in port and a useful one; "name#text" gives the
// details, "name@identity" the adapter's identity.
QVector<PortEntry> ports(const QString &text)
{
    QVector<PortEntry> out;
    for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        PortEntry entry;
        entry.identity = word.section(QLatin1Char('@'), 1);
        word = word.section(QLatin1Char('@'), 0, 0);
        entry.useful = word.startsWith(QLatin1Char('+'));
        if (entry.useful)
            word.remove(0, 1);
        entry.name = word.section(QLatin1Char('#'), 0, 0);
        entry.details = word.section(QLatin1Char('#'), 1);
        out.append(entry);
    }
    return out;
}

QStringList names(const QVector<PortEntry> &entries)
{
    QStringList out;
    for (const PortEntry &entry : entries)
        out.append(entry.name);
    return out;
}

} // namespace

class TestPortList : public QObject
{
    Q_OBJECT

private slots:
    void choiceFollowsThePorts_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("found");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("wanted");

        const auto row = [](const char *name, const char *shown, const char *chosen, const char *found,
                            bool changed, int current, const char *wanted = "") {
            QTest::newRow(name) << QString::fromLatin1(shown) << QString::fromLatin1(chosen)
                                << QString::fromLatin1(found) << changed << current << QString::fromLatin1(wanted);
        };
        row("nothing at all", "", "", "", false, -1);
        row("first fill takes the first", "", "", "ttyS0 ttyS1", true, 0);
        row("first fill takes a USB port", "", "", "ttyS0 +ttyUSB0", true, 1);
        row("same list keeps the choice", "ttyS0 +ttyUSB0", "ttyS0", "ttyS0 +ttyUSB0", false, 0);
        row("new USB port beats built-in ones", "ttyS0 ttyS1", "ttyS1", "ttyS0 ttyS1 +ttyUSB0", true, 2);
        row("new USB port leaves a USB choice", "+ttyUSB0", "ttyUSB0", "+ttyACM0 +ttyUSB0", true, 1);
        row("built-in choice kept beside a USB port", "ttyS0 +ttyUSB0", "ttyS0", "ttyS0 +ttyUSB0 +ttyUSB1", true, 0);
        row("new built-in port leaves the choice", "ttyS0 ttyS1", "ttyS1", "ttyS0 ttyS1 ttyS2", true, 1);
        row("gone choice falls to the first", "+a +b", "b", "+a", true, 0);
        row("all gone", "+a", "a", "", true, -1);
        row("new details redraw", "+a#one", "a", "+a#two", true, 0);
        // The user's own choice comes back with its port, before a useful
        // newcomer; while it is away the other rules hold.
        row("wanted port returns", "+a", "a", "+a +b", true, 1, "b");
        row("wanted beats a new USB port", "ttyS0", "ttyS0", "ttyS0 +u +b", true, 2, "b");
        row("wanted still away", "+a", "a", "+a +c", true, 0, "b");
        row("wanted gone falls to the first", "+a +b", "b", "+a", true, 0, "b");
        row("wanted and chosen unchanged", "+a +b", "b", "+a +b", false, 1, "b");
        // "name@identity": the adapter is found again by its identity.
        row("replugged under a new name", "+ttyUSB0@usb:1a86:7523:A1", "ttyUSB0", "+ttyUSB1@usb:1a86:7523:A1", true, 0,
            "ttyUSB0@usb:1a86:7523:A1");
        row("its old name now another cable's", "+ttyUSB0@usb:1a86:7523:A1", "ttyUSB0",
            "+ttyUSB0@usb:0403:6001:B2 +ttyUSB1@usb:1a86:7523:A1", true, 1, "ttyUSB0@usb:1a86:7523:A1");
        row("renamed on Windows", "+COM3@usb:10c4:ea60:0001", "COM3", "+COM1 +COM5@usb:10c4:ea60:0001", true, 1,
            "COM3@usb:10c4:ea60:0001");
        row("two alike without serial: by name", "+ttyUSB1@usb:1a86:7523", "ttyUSB1",
            "+ttyUSB0@usb:1a86:7523 +ttyUSB1@usb:1a86:7523", true, 1, "ttyUSB1@usb:1a86:7523");
        row("adapter away: the rules of names", "+ttyUSB0@usb:0403:6001:B2", "ttyUSB0", "+ttyUSB0@usb:0403:6001:B2",
            false, 0, "ttyUSB3@usb:1a86:7523:A1");
    }
    void choiceFollowsThePorts()
    {
        QFETCH(QString, shown);
        QFETCH(QString, chosen);
        QFETCH(QString, found);
        QFETCH(QString, wanted);
        const PortListUpdate update = updatePortList(ports(shown), chosen, ports(found),
                                                     wanted.section(QLatin1Char('@'), 0, 0),
                                                     wanted.section(QLatin1Char('@'), 1));
        QTEST(update.changed, "changed");
        QTEST(update.current, "current");
        QCOMPARE(update.ports, ports(found));
    }

    void identityOfAnAdapter_data()
    {
        QTest::addColumn<bool>("usb");
        QTest::addColumn<int>("vendor");
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("identity");
        const auto row = [](const char *name, bool usb, int vendor, int product, const char *serial,
                            const char *identity) {
            QTest::newRow(name) << usb << vendor << product << QString::fromLatin1(serial)
                                << QString::fromLatin1(identity);
        };
        row("with serial number", true, 0x0403, 0x6001, "A9XK3", "usb:0403:6001:A9XK3");
        row("CH340 has none", true, 0x1a86, 0x7523, "", "usb:1a86:7523");
        row("blank serial number", true, 0x10c4, 0xea60, "  ", "usb:10c4:ea60");
        row("built-in port", false, 0, 0, "", "");
    }
    void identityOfAnAdapter()
    {
        PortDescription port;
        port.name = QStringLiteral("ttyUSB0");
        QFETCH(bool, usb);
        port.hasUsbIds = usb;
        QFETCH(int, vendor);
        QFETCH(int, product);
        port.vendorId = quint16(vendor);
        port.productId = quint16(product);
        QFETCH(QString, serial);
        port.serialNumber = serial;
        QTEST(portIdentity(port), "identity");
    }

    void detailsForTheTooltip_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("manufacturer");
        QTest::addColumn<int>("vendor");
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("details");
        const auto row = [](const char *name, const char *description, const char *manufacturer, int vendor,
                            int product, const char *details) {
            QTest::newRow(name) << QString::fromLatin1(description) << QString::fromLatin1(manufacturer) << vendor
                                << product << QString::fromLatin1(details);
        };
        row("everything", "USB-SERIAL CH340", "wch.cn", 0x1a86, 0x7523,
            "Description: USB-SERIAL CH340\nManufacturer: wch.cn\nUSB ID: 1a86:7523");
        row("vendor only", "", "", 0x10c4, -1, "USB ID: 10c4");
        row("nothing", "", "", -1, -1, "No details reported");
    }
    void detailsForTheTooltip()
    {
        QFETCH(QString, description);
        QFETCH(QString, manufacturer);
        QFETCH(int, vendor);
        QFETCH(int, product);
        QTEST(portDetails(description, manufacturer, vendor, product), "details");
    }

    // What the user types or the settings hold names the port as the system
    // lists it, on either system.
    void namesAsTheSystemListsThem_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("name");
        const auto row = [](const char *given, bool windows, const char *name) {
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(windows ? "win" : "unix", given)))
                    << QString::fromLatin1(given) << windows << QString::fromLatin1(name);
        };
        row("COM3", true, "COM3");
        row("com12", true, "COM12");
        row("\\\\.\\COM10", true, "COM10");
        row("//./com5", true, "COM5");
        row("COM3x", true, "COM3x");
        row("CNCA0", true, "CNCA0");
        row("\\\\.\\CNCA0", true, "\\\\.\\CNCA0");
        row("/dev/ttyUSB0", true, "/dev/ttyUSB0");
        row("/dev/ttyUSB0", false, "ttyUSB0");
        row("/dev/pts/7", false, "/dev/pts/7");
        row("/dev/", false, "/dev/");
        row("com3", false, "com3");
    }
    void namesAsTheSystemListsThem()
    {
        QFETCH(QString, given);
        QFETCH(bool, windows);
        QTEST(canonicalPortName(given, windows ? PortSystem::Windows : PortSystem::Unix), "name");
    }

    // The same report as Windows and as Linux might give it: the order of
    // the list and which ports count as a transmitter's cable.
    void systemPortsInTheListsOrder_data()
    {
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QString>("entries"); // "+" marks a useful port
        QTest::newRow("windows") << true << "COM1 COM2 COM3 COM4 +COM9 +COM10 +COM11 COM100";
        QTest::newRow("unix") << false << "+COM10 COM1 +COM9 +COM3 +COM11 COM2 COM100 COM4";
    }
    void systemPortsInTheListsOrder()
    {
        QFETCH(bool, windows);
        const auto port = [](const char *name, const char *description, int vendor = -1, int product = 0) {
            PortDescription p;
            p.name = QString::fromLatin1(name);
            p.description = QString::fromLatin1(description);
            p.hasUsbIds = vendor >= 0;
            p.vendorId = quint16(qMax(vendor, 0));
            p.productId = quint16(product);
            return p;
        };
        const QVector<PortDescription> reported{
                port("COM10", "USB-SERIAL CH340", 0x1a86, 0x7523),
                port("COM1", "Communications Port"),
                port("COM9", "Silicon Labs CP210x USB to UART Bridge", 0x10c4, 0xea60),
                port("COM3", "Intel(R) Active Management Technology - SOL", 0x8086, 0xa13d),
                port("COM11", "USB Serial Port", 0x0403, 0x6001),
                port("COM2", "Communications Port"),
                port("COM100", "Standard Serial over Bluetooth link"),
                port("COM4", "Standard Serial over Bluetooth link"),
        };
        const PortSystem system = windows ? PortSystem::Windows : PortSystem::Unix;
        const QVector<PortEntry> entries = systemEntries(orderedPorts(reported, system), system);
        QStringList shown;
        for (const PortEntry &entry : entries)
            shown << (entry.useful ? QStringLiteral("+") : QString()) + entry.name;
        QTEST(shown.join(QLatin1Char(' ')), "entries");
        // The driver's description stays with its port for the tooltip.
        const auto ch340 = std::find_if(entries.cbegin(), entries.cend(),
                                        [](const PortEntry &e) { return e.name == QLatin1String("COM10"); });
        QVERIFY(ch340 != entries.cend());
        QCOMPARE(ch340->details, portDetails(QStringLiteral("USB-SERIAL CH340"), {}, 0x1a86, 0x7523));
    }

    // Quiet while nothing changes, so the closed port costs next to nothing;
    // an extra entry coming or going, or another set of entries, is a change,
    // and the two calls after a change look again.
    void watchSpeaksOnlyOfChanges()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QStringList extras{dir.filePath(QStringLiteral("port"))};
        PortWatch watch;
        const auto calls = [&](const QStringList &entries) {
            QString seen;
            for (int i = 0; i < 4; ++i)
                seen += watch.changed(entries) ? QLatin1Char('y') : QLatin1Char('n');
            return seen;
        };
        QCOMPARE(calls(extras), QStringLiteral("ynnn"));
        QFile port(extras.first());
        QVERIFY(port.open(QIODevice::WriteOnly));
        QCOMPARE(calls(extras), QStringLiteral("yyyn"));
        QVERIFY(port.remove());
        QCOMPARE(calls(extras), QStringLiteral("yyyn"));
        QCOMPARE(calls({}), QStringLiteral("yyyn"));
    }

    void extraPathsAreListedWhileTheyExist()
    {
#ifndef Q_OS_UNIX
        QSKIP("device paths and links to them are a Unix matter");
#endif
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("file"));
        const QString link = dir.filePath(QStringLiteral("link"));
        const QString dangling = dir.filePath(QStringLiteral("dangling"));
        const QString missing = dir.filePath(QStringLiteral("missing"));
        QFile created(file);
        QVERIFY(created.open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(file, link));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")), dangling));

        const QString sep = QDir::listSeparator();
        qputenv("KELVO_EXTRA_PORTS",
                (missing + sep + sep + QStringLiteral(" ") + link + QStringLiteral(" ") + sep + dangling + sep
                 + file + sep + link)
                        .toLocal8Bit());
        const QStringList extras = extraPortsFromEnvironment();
        qunsetenv("KELVO_EXTRA_PORTS");
        QCOMPARE(extras, (QStringList{missing, link, dangling, file, link}));

        const QVector<PortEntry> scanned = scanPorts(extras);
        QVERIFY(scanned.size() >= 2);
        QCOMPARE(names(scanned.mid(0, 2)), (QStringList{link, file}));
        QVERIFY(scanned.at(0).useful);
        QVERIFY(scanned.at(0).details.contains(QStringLiteral("KELVO_EXTRA_PORTS")));
        // Then exactly what the system reports.
        QCOMPARE(names(scanned.mid(2)), names(scanPorts({})));

        QVERIFY(QFile::remove(file)); // and with it the link's target
        QCOMPARE(names(scanPorts(extras)), names(scanPorts({})));
#ifdef Q_OS_UNIX
        QVERIFY(extraPortPresent(QStringLiteral("null"))); // /dev/null
        QVERIFY(!extraPortPresent(QStringLiteral("ttyKelvoNoSuchPort")));
#endif
    }

    // The window's list over real paths: the choice outlives its port's
    // absence, closed or open, and another pick drops the absent entry.
    void chooserKeepsThePilotsChoice()
    {
#ifndef Q_OS_UNIX
        QSKIP("device paths are a Unix matter");
#endif
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a")), b = dir.filePath(QStringLiteral("b"));
        const auto plug = [](const QString &path) { QFile f(path); return f.open(QIODevice::WriteOnly); };
        QVERIFY(plug(a) && plug(b));
        QComboBox box;
        bool open = false;
        PortChooser chooser(&box, [&open] { return open; });
        chooser.start({a, b});
        QVERIFY(chooser.choose(b));
        QCOMPARE(chooser.chosen(), b);

        QVERIFY(QFile::remove(b)); // unplugged while closed
        chooser.rescan();
        QCOMPARE(chooser.chosen(), b);
        QVERIFY(chooser.chosenIsAbsent());
        QVERIFY(box.currentText().contains(b) && box.currentText() != b);
        QVERIFY(plug(b));
        chooser.rescan();
        QCOMPARE(box.currentText(), b);
        QVERIFY(!chooser.chosenIsAbsent());

        open = true; // unplugged while open: the list holds still, then keeps it
        chooser.opened();
        QVERIFY(QFile::remove(b));
        chooser.rescan();
        QCOMPARE(box.currentText(), b);
        chooser.lost();
        open = false;
        chooser.closed();
        QVERIFY(chooser.chosenIsAbsent());

        const int other = box.findData(a);
        QVERIFY(other >= 0);
        box.setCurrentIndex(other);
        emit box.activated(other); // the pilot picks another
        QCOMPARE(chooser.chosen(), a);
        QCOMPARE(box.findData(b), -1);
    }
};

QTEST_MAIN(TestPortList)
#include "tst_portlist.moc"
