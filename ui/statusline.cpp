#include "ui/statusline.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>

namespace {
// Right of the last tab, above the page frame; covers only the empty part of
// the tab bar and the strip's bottom edge below the telemetry values: room
// for three lines.
const QRect kGeometry(860, 106, 230, 54);
const QRect kProgressGeometry(866, 156, 222, 3);
// Two lines, or three when a file name and its verdict need two.
constexpr int kMaxLines = 3;
// The label's horizontal padding (FormStyle::statusLabel) on each side.
constexpr int kPaddingPx = 4;
const QChar kNameStart(0x2068);
const QChar kNameEnd(0x2069);
const QString kTimeSeparator = QStringLiteral(" · ");

bool fits(const QFontMetrics &metrics, const QString &text, int width)
{
    return metrics.horizontalAdvance(text) <= width;
}

// "已保存 plane.dat · 已发送 · 10:42" without " · 10:42".
QString withoutTime(const QString &line)
{
    const int at = line.lastIndexOf(kTimeSeparator);
    if (at < 0)
        return line;
    const QString tail = line.mid(at + kTimeSeparator.size());
    const bool isTime = tail.size() == 5 && tail.at(2) == QLatin1Char(':') && tail.at(0).isDigit()
            && tail.at(1).isDigit() && tail.at(3).isDigit() && tail.at(4).isDigit();
    return isTime ? line.left(at) : line;
}

// The marked name elided in the middle so that the line fits; empty when
// even the shortest name leaves it too wide, or when it has no name.
QString elideName(const QString &line, const QFontMetrics &metrics, int width)
{
    const int start = line.indexOf(kNameStart);
    const int end = line.indexOf(kNameEnd, start + 1);
    if (start < 0 || end < 0)
        return QString();
    const QString before = withoutMarks(line.left(start));
    const QString name = line.mid(start + 1, end - start - 1);
    const QString after = withoutMarks(line.mid(end + 1));
    const int room = width - metrics.horizontalAdvance(before) - metrics.horizontalAdvance(after);
    const QString shortName = metrics.elidedText(name, Qt::ElideMiddle, room);
    if (shortName.isEmpty() || !fits(metrics, before + shortName + after, width))
        return QString();
    return before + shortName + after;
}
} // namespace

QString markedName(const QString &name)
{
    return kNameStart + name + kNameEnd;
}

QString withoutMarks(const QString &text)
{
    QString plain = text;
    plain.remove(kNameStart);
    plain.remove(kNameEnd);
    return plain;
}

QString fitStatusLine(const QString &line, const QFontMetrics &metrics, int width)
{
    const QString plain = withoutMarks(line);
    if (fits(metrics, plain, width))
        return plain;
    const QString untimed = withoutTime(line);
    if (fits(metrics, withoutMarks(untimed), width))
        return withoutMarks(untimed);
    const QString shortened = elideName(untimed, metrics, width);
    if (!shortened.isEmpty())
        return shortened;
    return metrics.elidedText(withoutMarks(untimed), Qt::ElideRight, width);
}

QStringList fitStatusLines(const QStringList &lines, const QFontMetrics &metrics, int width, int maxLines)
{
    QStringList shown;
    for (const QString &line : lines) {
        if (shown.size() >= maxLines)
            break;
        const int start = line.indexOf(kNameStart);
        const int end = line.indexOf(kNameEnd, start + 1);
        const bool named = start >= 0 && end > start;
        const QString plain = withoutMarks(line);
        const QString untimed = withoutMarks(withoutTime(line));
        const QString tail = line.mid(end + 1);
        // A name and a verdict too long for one line: the name (elided in
        // the middle) on one, the verdict with its time on the next, when
        // there is room for both and the lines after them.
        const bool split = named && !fits(metrics, untimed, width) && tail.startsWith(kTimeSeparator)
                && shown.size() + 2 + (lines.size() - 1 - lines.indexOf(line)) <= maxLines;
        if (!split) {
            shown.append(fitStatusLine(line, metrics, width));
            continue;
        }
        shown.append(fitStatusLine(line.left(end + 1), metrics, width));
        shown.append(fitStatusLine(tail.mid(kTimeSeparator.size()), metrics, width));
    }
    return shown;
}

void StatusLine::create(QWidget *parent)
{
    m_label = new QLabel(parent);
    m_label->setObjectName(QStringLiteral("statusLabel"));
    m_label->setGeometry(kGeometry);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setTextFormat(Qt::PlainText);
    m_label->raise();

    m_progress = new QProgressBar(parent);
    m_progress->setObjectName(QStringLiteral("statusProgress"));
    m_progress->setGeometry(kProgressGeometry);
    m_progress->setTextVisible(false);
    m_progress->hide();
    m_progress->raise();
}

void StatusLine::showProgress(int value, int maximum)
{
    if (!m_progress)
        return;
    m_progress->setRange(0, maximum);
    m_progress->setValue(value);
    m_progress->show();
}

void StatusLine::hideProgress()
{
    if (m_progress)
        m_progress->hide();
}

int StatusLine::textWidth() const
{
    if (!m_label)
        return 0;
    // A label with a frame indents its text on the aligned side by half an
    // "x" unless told otherwise: the room is what is left of that.
    int indent = m_label->indent();
    if (indent < 0)
        indent = m_label->frameWidth() > 0 ? QFontMetrics(m_label->font()).horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    return qMin(m_label->width() - 2 * kPaddingPx, m_label->contentsRect().width()) - indent;
}

void StatusLine::show(const QStringList &lines, const QString &details)
{
    if (!m_label || (lines == m_lines && details == m_details))
        return;
    m_lines = lines;
    m_details = details;
    render();
}

void StatusLine::render()
{
    if (!m_label)
        return;
    m_label->ensurePolished(); // the sheet's font decides where lines are cut
    const QFontMetrics metrics(m_label->font());
    const QString text = fitStatusLines(m_lines, metrics, textWidth(), kMaxLines).join(QLatin1Char('\n'));
    QString tip = withoutMarks(m_lines.join(QLatin1Char('\n')));
    if (!m_details.isEmpty())
        tip += QLatin1Char('\n') + withoutMarks(m_details);
    if (m_label->text() != text) {
        m_label->setText(text);
        // Screen readers announce the new status.
        QAccessibleEvent event(m_label, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (m_label->toolTip() != tip)
        m_label->setToolTip(tip);
}
