#pragma once

#include <QTimer>

#include "sim/simlink.h"

class QSocketNotifier;

// A pseudo-terminal (Unix only; elsewhere open() fails) whose master end the simulator holds; the tool opens the
// slave device (devicePath(), e.g. "/dev/pts/4") as its serial port.
//
// The port keeps a slave descriptor of its own open, in raw mode: without
// it the master reports a hang-up (EIO) whenever the tool closes the port,
// and the line would echo and translate bytes before the tool sets it up.
class PtyPort : public SimLink
{
    Q_OBJECT
public:
    explicit PtyPort(QObject *parent = nullptr);
    ~PtyPort() override;

    bool open() override;
    void close() override;
    QString devicePath() const override { return devicePath_; }
    QString errorString() const override { return error_; }
    bool write(const QByteArray &bytes) override;
    void discardUnread() override;

private:
    void readMaster();
    bool fail(const QString &what);

    int masterFd_ = -1;
    int slaveFd_ = -1;
    QString devicePath_;
    QString error_;
    QSocketNotifier *notifier_ = nullptr;
    QTimer retryTimer_; // re-arms the notifier after a hang-up
};
