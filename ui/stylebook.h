#pragma once

#include <QString>
#include <QVector>

class QWidget;

// The form's looks as one style sheet, set once on the form's root. Each
// widget is given the sheet of its family as if it were set on that widget
// alone; the book scopes every rule to the widget's object name, so that the
// sheet still reaches the widget and the widgets inside it (the line edit of
// a spin box, the tooltips) and a widget's own family still wins over the
// families of the widgets around it.
class StyleBook
{
public:
    // How a widget shows the keyboard focus: not at all (it takes none),
    // by drawing its own box border in the focus colour, or, for a widget
    // drawn without a border of its own, by a thin line of that colour.
    enum class Focus { None, Frame, Line };

    struct Entry
    {
        QWidget *widget;
        QString sheet;      // the family's sheet, written for the widget alone
        Focus focus;        // whether the widget shows a frame while it has focus
    };

    void add(QWidget *widget, const QString &sheet, Focus focus = Focus::None);
    const QVector<Entry> &entries() const { return m_entries; }

    // The one sheet for root, which holds every widget of the book.
    QString compose(const QWidget *root) const;

private:
    QVector<Entry> m_entries;
};
