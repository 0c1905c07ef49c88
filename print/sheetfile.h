#pragma once

#include <QString>

// A set-up sheet (files/setupsheet.h) written to a file: HTML as it is, or
// a PDF of A4 pages laid out with the system's fonts, by the extension of
// path (.html, .htm or .pdf). Needs a QGuiApplication for the PDF; no
// display and no widgets.
namespace SheetFile {

// Whether path names a sheet this can write.
bool knownExtension(const QString &path);

// False with error set when the file cannot be written (or the extension
// is not known). A sheet cut short never replaces a whole one.
bool write(const QString &html, const QString &path, QString *error);

} // namespace SheetFile
