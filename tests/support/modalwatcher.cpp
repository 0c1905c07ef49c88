#include "support/modalwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kPollMs = 20;
// A dialog that is still the active modal widget this many polls after it
// was answered did not take the answer (a file that does not exist, say)
// and is cancelled instead, so a test never hangs in it.
constexpr int kStuckPolls = 10;

QAbstractButton *acceptingButton(const QMessageBox *box)
{
    const QList<QAbstractButton *> buttons = box->buttons();
    for (const QMessageBox::ButtonRole role : {QMessageBox::AcceptRole, QMessageBox::YesRole}) {
        for (QAbstractButton *b : buttons)
            if (box->buttonRole(b) == role)
                return b;
    }
    if (box->escapeButton())
        return box->escapeButton();
    return buttons.isEmpty() ? nullptr : buttons.first();
}

// Closing runs from the event loop rather than from inside the poll: a
// dialog's accept() may open another modal box (a save dialog asking to
// overwrite), and the poll timer must keep firing while that one is up.
template<typename Action>
void later(QWidget *widget, Action action)
{
    QTimer::singleShot(0, widget, action);
}

void cancel(QWidget *widget)
{
    if (auto dialog = qobject_cast<QDialog *>(widget))
        later(dialog, [dialog] { dialog->reject(); });
    else
        later(widget, [widget] { widget->close(); });
}

} // namespace

ModalWatcher::ModalWatcher(QObject *parent) : QObject(parent)
{
    clock_.start();
    connect(&pollTimer_, &QTimer::timeout, this, &ModalWatcher::poll);
    pollTimer_.start(kPollMs);
}

void ModalWatcher::clear()
{
    boxes_.clear();
    fileDialogs_.clear();
    others_.clear();
}

ModalWatcher::Handled *ModalWatcher::findHandled(const QWidget *widget)
{
    for (Handled &h : handled_)
        if (h.widget == widget)
            return &h;
    return nullptr;
}

void ModalWatcher::poll()
{
    handled_.erase(std::remove_if(handled_.begin(), handled_.end(),
                                  [](const Handled &h) { return h.widget.isNull() || !h.widget->isVisible(); }),
                   handled_.end());

    QVector<QWidget *> candidates;
    if (QWidget *modal = QApplication::activeModalWidget())
        candidates.append(modal);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && (qobject_cast<QMessageBox *>(w) || qobject_cast<QFileDialog *>(w))
            && !candidates.contains(w))
            candidates.append(w);
    }

    for (QWidget *w : candidates) {
        if (Handled *h = findHandled(w)) {
            if (w == QApplication::activeModalWidget() && ++h->pollsSinceAnswer == kStuckPolls)
                cancel(w);
            continue;
        }
        handled_.append({w, 0});
        handle(w);
    }
}

void ModalWatcher::handle(QWidget *widget)
{
    if (auto box = qobject_cast<QMessageBox *>(widget))
        handleMessageBox(box);
    else if (auto dialog = qobject_cast<QFileDialog *>(widget))
        handleFileDialog(dialog);
    else
        handleOther(widget);
}

void ModalWatcher::handleMessageBox(QMessageBox *box)
{
    QAbstractButton *button = acceptingButton(box);
    for (QAbstractButton *b : box->buttons()) {
        if (!boxAnswer_.isEmpty() && b->text() == boxAnswer_)
            button = b;
    }
    QStringList buttons;
    for (QAbstractButton *b : box->buttons())
        buttons.append(b->text());
    const SeenMessageBox seen{box->windowTitle(), box->text(), box->icon(),
                              button ? button->text() : QString(), box->informativeText(), clock_.elapsed(),
                              box->detailedText(), buttons};
    boxes_.append(seen);
    if (button)
        later(box, [button] { button->click(); });
    else
        later(box, [box] { box->accept(); });
    emit messageBoxClosed(seen);
}

void ModalWatcher::handleFileDialog(QFileDialog *dialog)
{
    const SeenFileDialog seen{dialog->windowTitle(), dialog->nameFilters(),
                              dialog->directory().absolutePath(),
                              dialog->acceptMode() == QFileDialog::AcceptSave, fileAnswer_,
                              clock_.elapsed(), QApplication::overrideCursor() != nullptr};
    fileDialogs_.append(seen);
    if (fileAnswer_.isEmpty()) {
        cancel(dialog);
    } else {
        const QString path = fileAnswer_;
        later(dialog, [dialog, path] {
            // Type the path as a user would: selectFile leaves the name field
            // alone while it has the focus, as it has in a shown dialog.
            dialog->selectFile(path);
            if (auto nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                nameEdit->setText(path);
            static_cast<QDialog *>(dialog)->accept(); // public there, protected in QFileDialog
        });
    }
    emit fileDialogAnswered(seen);
}

void ModalWatcher::handleOther(QWidget *widget)
{
    others_.append({QString::fromLatin1(widget->metaObject()->className()), widget->windowTitle(),
                    clock_.elapsed()});
    cancel(widget);
}
