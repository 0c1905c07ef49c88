#include "ui/sizedicon.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

QIcon iconForSize(const QString &path, const QSize &size)
{
    if (qApp && qApp->devicePixelRatio() > 1.0)
        return QIcon(path);
    // Read as an image: QPixmap(path) would keep the full picture in the
    // pixmap cache.
    const QImage file(path);
    if (file.isNull())
        return QIcon(path);
    QPixmap picture = QPixmap::fromImage(file);
    // What the icon does when asked for a smaller size: keep the aspect,
    // never enlarge, scale smoothly.
    QSize scaled = picture.size();
    if (scaled.width() > size.width() || scaled.height() > size.height()) {
        scaled.scale(size, Qt::KeepAspectRatio);
        picture = picture.scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return QIcon(picture);
}
