#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Where a folder is, for when no file manager could open it: its full path,
// selectable, and a button that copies it and then says for a moment that
// it did ("已复制"), keeping its width.
class FolderPathDialog : public QDialog
{
    Q_OBJECT

public:
    // How long the button says it has copied.
    static constexpr int kCopiedMs = 2000;

    explicit FolderPathDialog(const QString &path, QWidget *parent = nullptr);

    void setPath(const QString &path);
    QLineEdit *pathField() const { return m_path; }
    QPushButton *copyButton() const { return m_copy; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void copyPath();

    QLabel *m_message = nullptr;
    QLineEdit *m_path = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_close = nullptr;
    bool m_copied = false;
};
