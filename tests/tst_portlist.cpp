// The port list: which port is chosen as ports come and go, the tooltip
// texts, and the scan of extra device paths.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "link/portlist.h"

namespace {

// "ttyS0 +ttyUSB0": a built-in port and a useful one; "name#text" gives the
// details.
QVector<PortEntry> ports(const QString &text)
{
    QVector<PortEntry> out;
    for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        PortEntry entry;
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

        const auto row = [](const char *name, const char *shown, const char *chosen, const char *found,
                            bool changed, int current) {
            QTest::newRow(name) << QString::fromLatin1(shown) << QString::fromLatin1(chosen)
                                << QString::fromLatin1(found) << changed << current;
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
    }
    void choiceFollowsThePorts()
    {
        QFETCH(QString, shown);
        QFETCH(QString, chosen);
        QFETCH(QString, found);
        const PortListUpdate update = updatePortList(ports(shown), chosen, ports(found));
        QTEST(update.changed, "changed");
        QTEST(update.current, "current");
        QCOMPARE(update.ports, ports(found));
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

    void extraPathsAreListedWhileTheyExist()
    {
#ifdef Q_OS_WIN
        QSKIP("QFile::link makes a shortcut file on Windows, present whatever its target: "
              "no link to follow and none that dangles");
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
};

QTEST_MAIN(TestPortList)
#include "tst_portlist.moc"
