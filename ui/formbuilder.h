#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include "ui/formtables.h"
#include "ui/mainform.h"

class QLineEdit;
class QTabWidget;

// Creates the widgets of a MainForm from the form tables: names them,
// registers them by name, and queues their texts for the text routine.
class FormBuilder
{
public:
    explicit FormBuilder(MainForm &form) : m_form(form) {}

    // Names the widget, records it under that name and returns it.
    template<class T>
    T *add(T *widget, const QString &name)
    {
        widget->setObjectName(name);
        m_form.m_widgets.insert(name, widget);
        return widget;
    }
    template<class T>
    T *add(T *widget, const QString &name, const QRect &geometry)
    {
        widget->setGeometry(geometry);
        return add(widget, name);
    }

    // The family of looks of a widget, for the form's one style sheet.
    void setStyle(QWidget *widget, const QString &sheet, StyleBook::Focus focus = StyleBook::Focus::None)
    {
        m_form.m_styles.add(widget, sheet, focus);
        if (m_form.m_sheets == MainForm::Sheets::EachWidget)
            widget->setStyleSheet(sheet);
    }

    // The words the text routine puts on a widget.
    void setText(QWidget *widget, const QStringList &texts);

    // A line edit with centred text, a value; a caption is read-only and its
    // text one of the form's words.
    QLineEdit *lineEdit(QWidget *parent, const QString &name, const QRect &geometry,
                        const QString &styleSheet, const QString &text);
    QLineEdit *caption(QWidget *parent, const FormTables::Caption &caption, const QRect &geometry,
                       int fontPx = 20);

    // Creates a page without parent with its frame and group boxes, and adds
    // it to the tab widget with an empty title.
    void addPage(QTabWidget *tabs, const FormTables::Page &page);

private:
    QWidget *editor(QWidget *parent, const FormTables::Editor &entry);
    void group(QWidget *frame, const FormTables::Group &entry);
    void column(QWidget *group, const FormTables::Column &entry, int spacing);
    void monitor(QWidget *frame);
    void curveWidgets();
    void resetButton(QWidget *group);

    MainForm &m_form;
    int m_columns = 0;
};
