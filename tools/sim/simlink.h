#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The transmitter's end of a line: a pseudo-terminal or a serial port.
class SimLink : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool open() = 0;
    virtual void close() = 0;
    // What the tool opens to reach the transmitter.
    virtual QString devicePath() const = 0;
    virtual QString errorString() const = 0;
    // One write; returns false when the bytes could not be handed on.
    virtual bool write(const QByteArray &bytes) = 0;
    // Drops whatever was sent and not yet read by the tool.
    virtual void discardUnread() = 0;

signals:
    void received(const QByteArray &bytes);
};
