#include "sim/stablelink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

StableLink::~StableLink()
{
    if (!m_path.isEmpty() && QFileInfo(m_path).symLinkTarget() == m_device)
        QFile::remove(m_path);
}

bool StableLink::make(const QString &path, const QString &device)
{
#ifdef Q_OS_UNIX
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        if (!existing.isSymLink()) {
            m_error = QStringLiteral("%1 exists and is not a link").arg(path);
            return false;
        }
        QFile::remove(path);
    }
    if (!QFile::link(device, path)) {
        m_error = QStringLiteral("cannot make the link %1").arg(path);
        return false;
    }
    m_path = path;
    m_device = QFileInfo(path).symLinkTarget();
    return true;
#else
    Q_UNUSED(path)
    Q_UNUSED(device)
    m_error = QStringLiteral("links to the port are made on Unix only");
    return false;
#endif
}

QString StableLink::defaultPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("kelvo-miraq-sim"));
#ifdef Q_OS_UNIX
    const QString own = QStringLiteral("kelvo-miraq-sim-%1").arg(::getuid());
#else
    const QString own = QStringLiteral("kelvo-miraq-sim");
#endif
    return QDir(QDir::tempPath()).filePath(own);
}
