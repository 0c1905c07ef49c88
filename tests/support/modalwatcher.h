#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

class QFileDialog;

struct SeenMessageBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString button; // text of the button pressed to close it, empty if none
    QString informative; // the informative text under the main text
    qint64 atMs = 0; // since the watcher started
    QString details; // behind "Show Details..."
    QStringList buttons; // the texts of all its buttons
};

struct SeenFileDialog
{
    QString title;
    QStringList nameFilters;
    QString directory; // absolute path shown when the dialog came up
    bool saving = false; // a save dialog rather than an open dialog
    QString answer; // the file selected and accepted; empty when cancelled
    qint64 atMs = 0;
    bool overrideCursor = false; // an application override cursor was set meanwhile
};

// Any other modal dialog: recorded and rejected.
struct SeenDialog
{
    QString className;
    QString title;
    qint64 atMs = 0;
};

// Closes modal dialogs for a test while it is alive. Every ~20 ms it looks
// for the active modal widget and for visible top-level message boxes and
// file dialogs. A message box is recorded and closed with its accepting
// button ("OK", "Yes"); a file dialog is recorded and answered with the file
// given by setFileDialogAnswer, or cancelled. Use Qt's own dialogs
// (Qt::AA_DontUseNativeDialogs) so that there is a widget to find.
class ModalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit ModalWatcher(QObject *parent = nullptr);

    // The file every following file dialog selects and accepts; an empty
    // path (the default) cancels them.
    void setFileDialogAnswer(const QString &path) { fileAnswer_ = path; }
    // The button every following message box is closed with, by its text,
    // where it has one; otherwise (and by default) the accepting button.
    void setMessageBoxAnswer(const QString &buttonText) { boxAnswer_ = buttonText; }

    QVector<SeenMessageBox> messageBoxes() const { return boxes_; }
    QVector<SeenFileDialog> fileDialogs() const { return fileDialogs_; }
    QVector<SeenDialog> otherDialogs() const { return others_; }
    int dialogCount() const { return boxes_.size() + fileDialogs_.size() + others_.size(); }
    void clear();

signals:
    void messageBoxClosed(const SeenMessageBox &box);
    void fileDialogAnswered(const SeenFileDialog &dialog);

private:
    struct Handled
    {
        QPointer<QWidget> widget;
        int pollsSinceAnswer = 0;
    };

    void poll();
    void handle(QWidget *widget);
    void handleMessageBox(QMessageBox *box);
    void handleFileDialog(QFileDialog *dialog);
    void handleOther(QWidget *widget);
    Handled *findHandled(const QWidget *widget);

    QTimer pollTimer_;
    QElapsedTimer clock_;
    QString fileAnswer_;
    QString boxAnswer_;
    QVector<Handled> handled_;
    QVector<SeenMessageBox> boxes_;
    QVector<SeenFileDialog> fileDialogs_;
    QVector<SeenDialog> others_;
};
