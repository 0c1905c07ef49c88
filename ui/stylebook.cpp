#include "ui/stylebook.h"

#include <QHash>
#include <QStringList>
#include <QWidget>

#include <algorithm>

#include "ui/formstyles.h"

namespace {

struct Rule
{
    QStringList selectors;
    QString body;
};

// The rules of a family sheet. A sheet of bare declarations applies to the
// widget and everything inside it, as "* { ... }" does.
QVector<Rule> parseRules(const QString &sheet)
{
    if (!sheet.contains(QLatin1Char('{')))
        return {{{QStringLiteral("*")}, sheet.trimmed()}};
    QVector<Rule> rules;
    int pos = 0;
    for (;;) {
        const int open = sheet.indexOf(QLatin1Char('{'), pos);
        const int close = open < 0 ? -1 : sheet.indexOf(QLatin1Char('}'), open);
        if (close < 0)
            break;
        Rule rule;
        for (const QString &selector : sheet.mid(pos, open - pos).split(QLatin1Char(','))) {
            if (!selector.trimmed().isEmpty())
                rule.selectors.append(selector.trimmed());
        }
        rule.body = sheet.mid(open + 1, close - open - 1).trimmed();
        rules.append(rule);
        pos = close + 1;
    }
    return rules;
}

bool matchesType(const QWidget *widget, const QString &type)
{
    return type == QLatin1String("*") || widget->inherits(type.toLatin1().constData());
}

// A selector of a widget's own sheet, written for the whole form: it names
// the widget, and the widgets inside it that it reached as well. Selectors
// matching neither are dropped.
QStringList scoped(const QString &selector, const QWidget *widget)
{
    const int colon = selector.indexOf(QLatin1Char(':'));
    const QString type = colon < 0 ? selector : selector.left(colon);
    const QString state = colon < 0 ? QString() : selector.mid(colon);
    const QString id = QLatin1Char('#') + widget->objectName();
    QStringList result;
    if (matchesType(widget, type))
        result.append((type == QLatin1String("*") ? id : type + id) + state);
    const QList<QWidget *> inside = widget->findChildren<QWidget *>();
    if (std::any_of(inside.cbegin(), inside.cend(), [&](const QWidget *w) { return matchesType(w, type); }))
        result.append(id + QLatin1Char(' ') + type + state);
    return result;
}

int depth(const QWidget *widget, const QWidget *root)
{
    int n = 0;
    for (const QWidget *w = widget; w && w != root; w = w->parentWidget())
        ++n;
    return n;
}

} // namespace

void StyleBook::add(QWidget *widget, const QString &sheet, Focus focus)
{
    m_entries.append({widget, sheet, focus});
}

QString StyleBook::compose(const QWidget *root) const
{
    // Widgets sharing a family share its rules. Within one sheet the more
    // specific selector wins and, between equals, the later one: families
    // that reach inside their widgets come outermost first, so an inner
    // widget's family wins as its own sheet did.
    struct Family
    {
        QString sheet;
        QVector<Rule> rules;
        int depth;
    };
    QVector<Family> families;
    QHash<QString, int> index;
    QStringList framed, lined;
    for (const Entry &entry : m_entries) {
        auto found = index.constFind(entry.sheet);
        if (found == index.constEnd()) {
            QVector<Rule> rules = parseRules(entry.sheet);
            for (Rule &rule : rules)
                rule.selectors.clear();
            found = index.insert(entry.sheet, families.size());
            families.append({entry.sheet, rules, depth(entry.widget, root)});
        }
        Family &family = families[*found];
        family.depth = std::min(family.depth, depth(entry.widget, root));
        const QVector<Rule> own = parseRules(entry.sheet);
        for (int i = 0; i < own.size(); ++i) {
            for (const QString &selector : own.at(i).selectors)
                family.rules[i].selectors += scoped(selector, entry.widget);
        }
        if (entry.focus != Focus::None)
            (entry.focus == Focus::Frame ? framed : lined)
                    .append(QStringLiteral("%1#%2:focus")
                                    .arg(QLatin1String(entry.widget->metaObject()->className()),
                                         entry.widget->objectName()));
    }
    std::stable_sort(families.begin(), families.end(),
                     [](const Family &a, const Family &b) { return a.depth < b.depth; });

    QString sheet;
    for (const Family &family : std::as_const(families)) {
        for (const Rule &rule : family.rules) {
            if (!rule.selectors.isEmpty())
                sheet += rule.selectors.join(QStringLiteral(",\n")) + QStringLiteral(" {\n  ") + rule.body
                        + QStringLiteral("\n}\n");
        }
    }
    // Last, so that a focused widget shows its frame also under the pointer.
    if (!framed.isEmpty())
        sheet += FormStyle::focusFrame(framed, false);
    if (!lined.isEmpty())
        sheet += FormStyle::focusFrame(lined, true);
    return sheet;
}
