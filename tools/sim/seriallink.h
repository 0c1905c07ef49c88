#pragma once

#include <QSerialPort>

#include "sim/simlink.h"

// A named serial port at the tool's line settings (115200 8N1, no flow
// control): one end of a virtual null-modem pair, or a real cable to the PC
// that runs the tool.
class SerialLink : public SimLink
{
    Q_OBJECT
public:
    explicit SerialLink(const QString &portName, QObject *parent = nullptr);

    bool open() override;
    void close() override { port_.close(); }
    QString devicePath() const override { return port_.portName(); }
    QString errorString() const override { return port_.errorString(); }
    bool write(const QByteArray &bytes) override;
    void discardUnread() override { port_.clear(QSerialPort::Output); }

private:
    QSerialPort port_;
};
