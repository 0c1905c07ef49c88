#pragma once

#include <QString>

// Texts of the message boxes, file dialogs and the port button, built at the
// moment of use in the language installed (installLanguage()), as the form's
// words are.
struct PortTexts
{
    QString openCaption;  // port closed
    QString closeCaption; // port open
    QString title;
    QString cannotOpen;   // opening the port failed
    QString needsPort;    // a command needs the port, but it is closed
};

struct FileTexts
{
    QString saveTitle;
    QString saveFilter;
    QString openTitle;
    QString openFilter;
    QString errorTitle;
    QString errorText;
};

PortTexts portTexts();
FileTexts fileTexts();
