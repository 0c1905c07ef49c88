#pragma once

#include <QString>

class QFrame;
class QLabel;
class QToolButton;
class QWidget;

// A strip across the window just under the tab bar, in the colour of an
// interruption, for what a pilot must not miss: a write cut short, a
// transmitter unplugged. Not a dialog: nothing waits for it. It stays until
// the window hides it (after a complete Read) or the pilot presses its close
// button. Its looks are part of the form's one style sheet
// (FormStyle::statusBanner).
class StatusBanner
{
public:
    // Creates the frame "statusBanner" on parent, hidden, above its siblings.
    void create(QWidget *parent);

    void show(const QString &text);
    void hide();
    bool isShown() const;
    QString text() const;

    QFrame *frame() const { return m_frame; }
    QToolButton *closeButton() const { return m_close; }

private:
    QFrame *m_frame = nullptr;
    QLabel *m_text = nullptr;
    QToolButton *m_close = nullptr;
};
