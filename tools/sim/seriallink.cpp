#include "sim/seriallink.h"

SerialLink::SerialLink(const QString &portName, QObject *parent) : SimLink(parent)
{
    port_.setPortName(portName);
    connect(&port_, &QSerialPort::readyRead, this, [this] { emit received(port_.readAll()); });
}

bool SerialLink::open()
{
    port_.setBaudRate(QSerialPort::Baud115200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    return port_.open(QIODevice::ReadWrite);
}

bool SerialLink::write(const QByteArray &bytes)
{
    if (port_.write(bytes) != bytes.size())
        return false;
    // Hand the packet to the driver now, so packets keep their spacing.
    port_.flush();
    return true;
}
