#pragma once

#include <QIcon>
#include <QSize>
#include <QString>

// An icon that is only ever drawn at one size. QIcon(path) keeps the whole
// picture for the life of the button (a 256 x 256 picture is a quarter of a
// megabyte) and scales it down for each new paint size; this keeps only the
// picture at that size, scaled once the same way the icon itself would.
// On a high-density screen the file icon is kept, so it stays sharp there.
QIcon iconForSize(const QString &path, const QSize &size);
