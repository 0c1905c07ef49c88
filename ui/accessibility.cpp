#include "ui/accessibility.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QShortcut>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "model/settings.h"
#include "ui/mainform.h"

namespace {

const QString kSeparator = QStringLiteral(" · ");
// Group boxes whose tops lie this close stand in one row.
constexpr int kRowSlack = 20;

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// Inner parts of compound widgets (the line edit of a spin box) are not
// stops of their own.
bool isInnerPart(const QWidget *w, const QWidget *root)
{
    for (const QWidget *p = w->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p)
            || qobject_cast<const QTabBar *>(p))
            return true;
    }
    return false;
}

bool takesTab(const QWidget *w)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled();
}

QGroupBox *groupOf(QWidget *w, QWidget *root)
{
    for (QWidget *p = w->parentWidget(); p && p != root; p = p->parentWidget()) {
        if (auto *box = qobject_cast<QGroupBox *>(p))
            return box;
    }
    return nullptr;
}

QRect rectIn(const QWidget *w, const QWidget *root)
{
    return QRect(w->mapTo(root, QPoint(0, 0)), w->size());
}

// Before in reading order: rows first, then left to right.
bool readsBefore(const QRect &a, const QRect &b, int slack)
{
    if (std::abs(a.top() - b.top()) > slack)
        return a.top() < b.top();
    return a.left() < b.left();
}

QWidget *pageOf(QWidget *w, const QTabWidget *tabs)
{
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->widget(i)->isAncestorOf(w))
            return tabs->widget(i);
    }
    return nullptr;
}

// The read-only caption that stands left of w in its row, nearest first;
// else the one right under it (the channel names of the monitor).
QString captionBeside(QWidget *w, QWidget *container)
{
    const QRect r = rectIn(w, container);
    const QLineEdit *best = nullptr;
    int bestDistance = INT_MAX;
    for (const QLineEdit *edit : container->findChildren<QLineEdit *>()) {
        if (!edit->isReadOnly() || edit == w || isInnerPart(edit, container))
            continue;
        const QRect c = rectIn(edit, container);
        int distance = INT_MAX;
        if (std::abs(c.center().y() - r.center().y()) <= r.height() / 2 && c.right() <= r.left() + 2)
            distance = r.left() - c.right();
        else if (c.left() < r.right() && c.right() > r.left() && c.top() >= r.bottom() - 2)
            distance = 1000 + c.top() - r.bottom();
        if (distance < bestDistance) {
            bestDistance = distance;
            best = edit;
        }
    }
    return best ? plainCaption(best->text()) : QString();
}

void nameEditor(QWidget *editor, const QString &unit, const QString &name)
{
    const QString range = Accessibility::rangeText(editor, unit);
    editor->setAccessibleName(name);
    editor->setAccessibleDescription(range.isEmpty() ? unit : range);
    // The tooltip leaves out the page: the pilot is on it.
    QString tip = name.section(kSeparator, 1);
    tip.replace(kSeparator, QStringLiteral(" "));
    editor->setToolTip(range.isEmpty() ? tip : tip + kSeparator + range);
}

// A name from where the widget stands: page, group box, caption beside it.
QString nameFromPlace(QWidget *w, QTabWidget *tabs)
{
    QStringList parts;
    if (QWidget *page = pageOf(w, tabs))
        parts.append(tabs->tabText(tabs->indexOf(page)));
    QWidget *container = w->parentWidget();
    if (QGroupBox *box = groupOf(w, w->window())) {
        parts.append(plainCaption(box->title()));
        container = box;
    } else if (QWidget *page = pageOf(w, tabs)) {
        container = page;
    }
    QString caption = container ? captionBeside(w, container) : QString();
    // The one caption the user may type into names itself.
    auto *edit = qobject_cast<QLineEdit *>(w);
    if (caption.isEmpty() && edit && edit->text().contains(QRegularExpression(QStringLiteral("\\p{L}"))))
        caption = plainCaption(edit->text());
    if (!caption.isEmpty())
        parts.append(caption);
    return parts.join(kSeparator);
}

} // namespace

namespace Accessibility {

QString rangeText(const QWidget *editor, const QString &unit)
{
    QString range;
    if (auto *spin = qobject_cast<const QSpinBox *>(editor))
        range = number(spin->minimum(), 0) + QStringLiteral("…") + number(spin->maximum(), 0);
    else if (auto *volts = qobject_cast<const QDoubleSpinBox *>(editor))
        range = number(volts->minimum(), volts->decimals()) + QStringLiteral("…")
                + number(volts->maximum(), volts->decimals());
    if (range.isEmpty() || unit.isEmpty())
        return range;
    return range + QLatin1Char(' ') + unit;
}

QList<QWidget *> visualOrder(QWidget *root)
{
    struct Stop
    {
        QWidget *widget;
        QRect group;
        QRect rect;
    };
    QList<Stop> stops;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!takesTab(w) || isInnerPart(w, root))
            continue;
        const QGroupBox *box = groupOf(w, root);
        const QRect rect = rectIn(w, root);
        stops.append({w, box ? rectIn(box, root) : rect, rect});
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Stop &a, const Stop &b) {
        if (a.group != b.group)
            return readsBefore(a.group, b.group, kRowSlack);
        return readsBefore(a.rect, b.rect, std::min(a.rect.height(), b.rect.height()) / 2);
    });
    QList<QWidget *> out;
    for (const Stop &s : stops)
        out.append(s.widget);
    return out;
}

void apply(MainForm &form, QWidget *window)
{
    name(form, window);
    chainTabs(form, window);
}

void name(MainForm &form, QWidget *window)
{
    // Placed by their layouts now, so captions can be found beside editors.
    for (QLayout *layout : window->findChildren<QLayout *>())
        layout->activate();

    for (QLineEdit *edit : window->findChildren<QLineEdit *>()) {
        if (edit->isReadOnly() && !isInnerPart(edit, window))
            edit->setFocusPolicy(Qt::NoFocus);
    }

    // Editors named from the table of settings.
    QStringList named;
    for (const Setting &s : settings()) {
        QWidget *editor = s.editor.isEmpty() ? nullptr : form.widget(s.editor);
        if (!editor)
            continue;
        nameEditor(editor, s.unit, settingLabel(s, kSeparator));
        named.append(s.editor);
    }
    // Editors that show a setting of the table elsewhere (the dual-rate
    // boxes), named by their place and given the table's unit.
    for (const QString &name : settingEditors()) {
        QWidget *editor = form.widget(name);
        if (!editor || named.contains(name))
            continue;
        const QVector<const Setting *> shown = settingsOfEditor(name);
        const QString unit = shown.isEmpty() ? QString() : shown.first()->unit;
        nameEditor(editor, unit, nameFromPlace(editor, form.tabWidget));
        named.append(name);
    }

    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (isInnerPart(w, window))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            if (!button->toolTip().isEmpty())
                button->setAccessibleDescription(button->toolTip());
            if (button->text().trimmed().isEmpty() && button->accessibleName().isEmpty())
                button->setAccessibleName(button->toolTip().section(QLatin1Char('\n'), 0, 0));
            continue;
        }
        if (w->focusPolicy() == Qt::NoFocus || !w->accessibleName().isEmpty() || named.contains(w->objectName()))
            continue;
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w)) {
            QString name = nameFromPlace(w, form.tabWidget);
            if (name.isEmpty())
                name = w->toolTip().section(QLatin1Char('\n'), 0, 0);
            w->setAccessibleName(name);
        }
    }

}

void chainTabs(MainForm &form, QWidget *window)
{
    // Tab walks each page in reading order; the strip above the pages first.
    QList<QWidget *> chain;
    for (QWidget *w : visualOrder(window)) {
        if (!pageOf(w, form.tabWidget))
            chain.append(w);
    }
    for (int i = 0; i < form.tabWidget->count(); ++i)
        chain.append(visualOrder(form.tabWidget->widget(i)));
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));

    // Ctrl+Tab and Ctrl+Shift+Tab change pages wherever the focus is.
    QTabWidget *tabs = form.tabWidget;
    const auto step = [tabs](int by) {
        const int n = tabs->count();
        tabs->setCurrentIndex((tabs->currentIndex() + by + n) % n);
    };
    for (const QKeySequence &key : {QKeySequence(QStringLiteral("Ctrl+Tab"))})
        QObject::connect(new QShortcut(key, window), &QShortcut::activated, tabs, [step] { step(1); });
    for (const QKeySequence &key :
         {QKeySequence(QStringLiteral("Ctrl+Shift+Tab")), QKeySequence(QStringLiteral("Ctrl+Shift+Backtab"))})
        QObject::connect(new QShortcut(key, window), &QShortcut::activated, tabs, [step] { step(-1); });
}

} // namespace Accessibility
