#include "ui/unwrittenmark.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

namespace {

const char kProperty[] = "unwritten";

class MarkFrame : public QWidget
{
public:
    explicit MarkFrame(QWidget *editor)
        : QWidget(editor)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(editor->rect());
        editor->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return false;
    }

    // Not a frame: the focus is an orange frame and the pointer turns the
    // box green. The mark is a magenta corner with a dashed magenta line
    // along the bottom, in no other state's colour or shape.
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor mark(255, 40, 200);
        const int corner = qMin(12, height() / 2);
        const QPointF triangle[3] = {QPointF(0, 0), QPointF(corner, 0), QPointF(0, corner)};
        painter.setPen(Qt::NoPen);
        painter.setBrush(mark);
        painter.drawPolygon(triangle, 3);
        QPen dashed(mark, 2, Qt::CustomDashLine, Qt::FlatCap);
        dashed.setDashPattern({3, 2});
        painter.setPen(dashed);
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(QPointF(2, height() - 1.5), QPointF(width() - 2, height() - 1.5));
    }
};

// The dot on a tab: the editors' magenta, round, beside the title. It takes
// no input, so the tab under it is clicked, dragged and tipped as before.
class PageDot : public QWidget
{
public:
    static constexpr int kSize = 10;

    PageDot()
    {
        setObjectName(QStringLiteral("unwrittenPageMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        setFixedSize(kSize, kSize);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(QColor(255, 40, 200));
        painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

PageDot *dotOf(const QTabBar *bar, int index)
{
    return dynamic_cast<PageDot *>(bar->tabButton(index, QTabBar::RightSide));
}

MarkFrame *frameOf(const QWidget *editor)
{
    for (QObject *child : editor->children()) {
        if (auto *frame = dynamic_cast<MarkFrame *>(child))
            return frame;
    }
    return nullptr;
}

} // namespace

void setUnwritten(QWidget *editor, bool unwritten)
{
    const QVariant current = editor ? editor->property(kProperty) : QVariant();
    if (!editor || (current.isValid() && current.toBool() == unwritten))
        return;
    editor->setProperty(kProperty, unwritten);
    MarkFrame *frame = frameOf(editor);
    if (unwritten && !frame)
        frame = new MarkFrame(editor);
    if (frame) {
        frame->setVisible(unwritten);
        frame->raise();
    }
}

bool isUnwritten(const QWidget *editor)
{
    return editor && editor->property(kProperty).toBool();
}

void markUnwrittenPages(QTabWidget *tabs, const QVector<QWidget *> &marked)
{
    if (!tabs)
        return;
    QTabBar *bar = tabs->tabBar();
    const QString tip = QCoreApplication::translate("UnwrittenMark", "此页有未写入的修改");
    for (int i = 0; i < tabs->count(); ++i) {
        const QWidget *page = tabs->widget(i);
        bool holds = false;
        for (const QWidget *editor : marked)
            holds = holds || page->isAncestorOf(editor);
        PageDot *dot = dotOf(bar, i);
        if (holds && !dot)
            bar->setTabButton(i, QTabBar::RightSide, new PageDot);
        else if (!holds && dot) {
            bar->setTabButton(i, QTabBar::RightSide, nullptr);
            dot->deleteLater();
        }
        const QString wanted = holds ? tip : QString();
        if (bar->tabToolTip(i) != wanted)
            bar->setTabToolTip(i, wanted);
    }
}

bool pageMarkedUnwritten(const QTabWidget *tabs, int index)
{
    return tabs && dotOf(tabs->tabBar(), index) != nullptr;
}
