#pragma once

class MainForm;
class QObject;
class QAction;

// Puts the form's words into the language now installed, at run time: a
// fresh form without looks is built off screen in that language and its
// captions, group titles, tab titles, button texts and choice texts are
// copied over by object name. Values (telemetry, trims, channel numbers) and everything a
// slot set (the open button's caption, tooltips) are left as they are.
void retranslateForm(MainForm &form);

// A text of an action given by its translation source, so that
// retranslateActions() can say it again in another language.
void setTranslatedText(QAction *action, const char *context, const char *source);
// Every action under root given its text by setTranslatedText(), again.
void retranslateActions(QObject *root);
