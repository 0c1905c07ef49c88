#include "link/portwatch.h"

#include <QDateTime>
#include <QFileInfo>

#include "link/portlist.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

constexpr int kFollowUps = 2;

#ifdef Q_OS_WIN
// The name and device of every serial port a driver has announced; the
// same map Qt falls back on, a handful of registry reads.
QByteArray announcedPorts()
{
    QByteArray out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key)
        != ERROR_SUCCESS)
        return out;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        BYTE data[512];
        DWORD dataSize = sizeof(data);
        const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr, data, &dataSize);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
            break;
        if (result == ERROR_SUCCESS) {
            out.append(reinterpret_cast<const char *>(name), int(nameLength * sizeof(wchar_t)));
            out.append('=');
            out.append(reinterpret_cast<const char *>(data), int(dataSize));
        }
        out.append('\n');
    }
    RegCloseKey(key);
    return out;
}
#endif

} // namespace

QByteArray portsFingerprint(const QStringList &extraPorts)
{
    QByteArray out;
#ifdef Q_OS_WIN
    out = announcedPorts();
#else
    // A device node is made and removed in /dev as its port comes and goes.
    const QDateTime devChanged = QFileInfo(QStringLiteral("/dev")).lastModified();
    out = QByteArray::number(devChanged.toMSecsSinceEpoch());
#endif
    for (const QString &entry : extraPorts) {
        out.append('\n');
        out.append(entry.toUtf8());
        out.append(extraPortPresent(canonicalPortName(entry)) ? " +" : " -");
    }
    return out;
}

bool PortWatch::changed(const QStringList &extraPorts)
{
    const QByteArray now = portsFingerprint(extraPorts);
    if (!m_started || now != m_last) {
        m_followUps = m_started ? kFollowUps : 0;
        m_started = true;
        m_last = now;
        return true;
    }
    if (m_followUps > 0) {
        --m_followUps;
        return true;
    }
    return false;
}
