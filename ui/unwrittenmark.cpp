#include "ui/unwrittenmark.h"

#include <QEvent>
#include <QPainter>
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

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(QPen(QColor(255, 176, 0), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

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
