// The yardstick for the tool's cost: a plain Qt serial terminal, one window
// with one text box and a QSerialPort, nothing more.
//   plainterminal [<device>]
// Opens <device> at 115200 baud, sends "OK" as a user would type it (the
// transmitter then streams) and shows what arrives as hex, one line a chunk,
// keeping the last 500 lines. Without a device it only shows its window, the
// port closed. Its window has the tool's size, so both hold a backing store
// of the same size.

#include <QApplication>
#include <QPlainTextEdit>
#include <QSerialPort>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc > 2) {
        QTextStream(stderr) << "usage: plainterminal [<device>]\n";
        return 2;
    }
    QPlainTextEdit text;
    text.setWindowTitle(QStringLiteral("Terminal"));
    text.setReadOnly(true);
    text.setMaximumBlockCount(500);
    text.resize(1100, 680);
    text.show();

    QSerialPort port;
    if (argc < 2)
        return app.exec();
    port.setPortName(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(QSerialPort::Baud115200);
    if (!port.open(QIODevice::ReadWrite)) {
        QTextStream(stderr) << "plainterminal: cannot open " << argv[1] << '\n';
        return 1;
    }
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        text.appendPlainText(QString::fromLatin1(port.readAll().toHex(' ')));
    });
    port.write("OK");
    return app.exec();
}
