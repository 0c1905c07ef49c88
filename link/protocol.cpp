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

bool writeIfOpen(QSerialPort &port, const QByteArray &bytes)
{
    return port.isOpen() && port.write(bytes) == bytes.size();
}

void sendFrame(QSerialPort *port, FrameKind kind, ParameterSet &p, ParameterFrames &f, const Pacing &pacing,
               const std::function<void(bool taken)> &written)
{
    const QByteArray frame = rebuildFrame(kind, p, f);
    const bool taken = port && writeIfOpen(*port, frame);
    if (written)
        written(taken);
    waitMs(pacing.framePauseMs);
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
