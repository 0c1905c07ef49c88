#include "files/loadedfiletext.h"

QString &loadedFileText()
{
    static QString text;
    return text;
}
