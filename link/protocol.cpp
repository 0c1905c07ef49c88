#include "link/protocol.h"

#include <QSerialPort>

#include "link/waitms.h"

namespace Protocol {

void applyLineSettings(QSerialPort &port)
{
    port.setBaudRate(QSerialPort::Baud115200);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

void writeIfOpen(QSerialPort &port, const QByteArray &bytes)
{
    if (port.isOpen())
        port.write(bytes);
}

void sendFrame(QSerialPort &port, FrameKind kind, ParameterSet &p, ParameterFrames &f,
               const std::function<void()> &written)
{
    writeIfOpen(port, rebuildFrame(kind, p, f));
    if (written)
        written();
    waitMs(kFramePauseMs);
}

int frameStep(FrameKind kind)
{
    int step = 1;
    for (FrameKind k : kFrameOrder) {
        if (k == kind)
            return step;
        ++step;
    }
    return 0;
}

} // namespace Protocol
