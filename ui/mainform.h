#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include "ui/stylebook.h"

class QMainWindow;
#include <QWidget>
class QPushButton;
class QComboBox;
class QToolButton;
class QTabWidget;
class QVBoxLayout;

// The four telemetry values of the top strip, in the order the strip shows
// them: transmitter, power, signal, receiver.
QStringList telemetryValueNames();

// The form of the main window: builds every widget with its object name,
// geometry, range, initial value, texts and look, and keeps a pointer to each
// by object name. Slots of the window named on_<objectName>_<signal> are
// connected as the last step of setupUi().
class MainForm
{
public:
    // How the looks are given: one sheet on the form's root (the tool), or
    // each widget's family on the widget itself as it is built, the way the
    // form once did it; kept as the reference the one sheet is checked with.
    // None gives no looks at all: a form built only for its words, never
    // shown (formlanguage).
    enum class Sheets { One, EachWidget, None };

    void setupUi(QMainWindow *window, Sheets sheets = Sheets::One);
    // Puts every visible text of the form in place; part of setupUi().
    void retranslateUi(QMainWindow *window);
    // Puts the words of other, a form built in another language, on the
    // widgets of the same names: captions, titles, button and choice texts.
    // Values, and the open button's caption that tells the port's state, stay.
    void takeWords(const MainForm &other);
    // Captions too wide for their boxes in the words now on them get the
    // room and the face they need (CaptionFit); call after the words change.
    void fitCaptions();

    // The widget called name, or nullptr if the form has none of that type.
    template<class T>
    T *find(const QString &name) const
    {
        return qobject_cast<T *>(m_widgets.value(name));
    }
    QWidget *widget(const QString &name) const { return m_widgets.value(name); }
    const QHash<QString, QWidget *> &widgets() const { return m_widgets; }
    // The column layouts inside the group boxes, by object name.
    QVBoxLayout *layout(const QString &name) const { return m_layouts.value(name); }
    const QHash<QString, QVBoxLayout *> &layouts() const { return m_layouts; }
    // Every widget's family of looks; their one sheet is on centralwidget.
    const StyleBook &styles() const { return m_styles; }

    QWidget *centralwidget = nullptr;
    QTabWidget *tabWidget = nullptr;
    QPushButton *openButton = nullptr;
    QComboBox *portNameBox = nullptr;
    QToolButton *toolButton_led = nullptr;
    QToolButton *toolButton_Read = nullptr;
    QToolButton *toolButton_Load = nullptr;
    QToolButton *toolButton_Send = nullptr;
    QToolButton *toolButton_Save = nullptr;
    QToolButton *toolButton_Reset = nullptr;
    QPushButton *pushButton_Reset2 = nullptr;

private:
    friend class FormBuilder;

    // Gives the captions in columns their sizes (CaptionFit measures them).
    void activateLayouts();

    // A widget and the words the text routine gives it: a caption, a title,
    // or one text per combo box item.
    struct FormText
    {
        QWidget *widget;
        QStringList texts;
    };

    QHash<QString, QWidget *> m_widgets;
    QHash<QString, QVBoxLayout *> m_layouts;
    QVector<FormText> m_texts;
    StyleBook m_styles;
    Sheets m_sheets = Sheets::One;
    QString m_sheet;        // the one sheet of the form
    QString m_captionRules; // the smaller faces of captions that need them
};
