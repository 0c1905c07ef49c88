#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// One backup as the list shows it, in the language in effect.
struct BackupListRow
{
    QString path;
    QString time;     // "2026-12-07 10:42:33"
    QString command;  // "出厂设置"
    QString port;     // empty when not recorded
    int differing;    // settings that differ from the window; -1: unreadable
};

// The automatic backups: when each was taken, before which command, on which
// port, how many settings differ from the window, and the rule that prunes
// them. Compare, restore (a Load of it), show in the folder, delete.
class BackupListDialog : public QDialog
{
    Q_OBJECT

public:
    struct Actions
    {
        std::function<QVector<BackupListRow>()> rows;
        std::function<QString()> rule;
        std::function<void(const QString &path)> compare;
        std::function<void(const QString &path)> restore;
        // False when no file manager could be asked to show it.
        std::function<bool(const QString &path)> showInFolder;
        // Empty when deleted, else why not.
        std::function<QString(const QString &path)> remove;
    };

    BackupListDialog(const QString &folder, Actions actions, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    QLineEdit *pathField() const { return m_path; }
    QString currentPath() const;
    QPushButton *button(const char *objectName) const;

public slots:
    // Reads the backups again (a restore or a send took another).
    void reload();
    void compareCurrent();
    void restoreCurrent();
    void showCurrentInFolder();
    // Asks first.
    void deleteCurrent();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void updateButtons();

    QString m_folder;
    Actions m_actions;
    QLabel *m_rule = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_pathLabel = nullptr;
    QLineEdit *m_path = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_compare = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_show = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_close = nullptr;
};
