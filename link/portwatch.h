#pragma once

#include <QByteArray>
#include <QStringList>

// Tells when the port list may have changed, without asking the system for
// its ports: that enumeration reads thousands of files under /sys a second on
// Linux, and the list is kept up to date all the while the port is closed.
// Instead it looks at what changes whenever a port comes or goes: the
// modification time of /dev on Unix, the serial ports the drivers announce in
// the registry on Windows, and whether each extra entry is there.
class PortWatch
{
public:
    // True at the first call and whenever something changed since the last
    // call; then also at the next two calls, for a device whose details
    // arrive after its name, or a change within the same clock tick.
    bool changed(const QStringList &extraPorts);

private:
    QByteArray m_last;
    bool m_started = false;
    int m_followUps = 0;
};

// What the port list depends on, read cheaply; equal fingerprints mean a
// scan would find the same ports.
QByteArray portsFingerprint(const QStringList &extraPorts);
