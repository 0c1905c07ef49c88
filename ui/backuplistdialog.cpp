#include "ui/backuplistdialog.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

BackupListDialog::BackupListDialog(const QString &folder, Actions actions, QWidget *parent)
    : QDialog(parent)
    , m_folder(folder)
    , m_actions(std::move(actions))
{
    setObjectName(QStringLiteral("backupListDialog"));
    auto *layout = new QVBoxLayout(this);
    m_rule = new QLabel(this);
    m_rule->setObjectName(QStringLiteral("backupRule"));
    m_rule->setWordWrap(true);
    layout->addWidget(m_rule);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("backupList"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(4);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumSize(560, 300);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &BackupListDialog::updateButtons);
    connect(m_list, &QTreeWidget::itemActivated, this, &BackupListDialog::compareCurrent);
    layout->addWidget(m_list, 1);

    auto *pathRow = new QHBoxLayout;
    m_pathLabel = new QLabel(this);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("backupPath"));
    m_path->setReadOnly(true);
    m_pathLabel->setBuddy(m_path);
    m_copy = new QPushButton(this);
    m_copy->setObjectName(QStringLiteral("backupCopyPath"));
    connect(m_copy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(m_path->text());
    });
    pathRow->addWidget(m_pathLabel);
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_copy);
    layout->addLayout(pathRow);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("backupNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);

    auto *buttons = new QHBoxLayout;
    const auto add = [&](QPushButton *&button, const char *name, void (BackupListDialog::*slot)()) {
        button = new QPushButton(this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    };
    add(m_compare, "backupCompare", &BackupListDialog::compareCurrent);
    add(m_restore, "backupRestore", &BackupListDialog::restoreCurrent);
    add(m_show, "backupShow", &BackupListDialog::showCurrentInFolder);
    add(m_delete, "backupDelete", &BackupListDialog::deleteCurrent);
    buttons->addStretch(1);
    add(m_close, "backupClose", &QDialog::reject);
    layout->addLayout(buttons);

    setTabOrder(m_list, m_compare);
    setTabOrder(m_compare, m_restore);
    setTabOrder(m_restore, m_show);
    setTabOrder(m_show, m_delete);
    setTabOrder(m_delete, m_path);
    setTabOrder(m_path, m_copy);
    setTabOrder(m_copy, m_close);

    retranslate();
    reload();
}

QPushButton *BackupListDialog::button(const char *objectName) const
{
    return findChild<QPushButton *>(QLatin1String(objectName));
}

QString BackupListDialog::currentPath() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

void BackupListDialog::reload()
{
    const QString current = currentPath();
    m_list->clear();
    QTreeWidgetItem *again = nullptr;
    for (const BackupListRow &row : m_actions.rows()) {
        const QString differing = row.differing < 0 ? tr("无法读取")
                : row.differing == 0                ? tr("相同")
                                                    : QString::number(row.differing);
        const QString port = row.port.isEmpty() ? tr("未记录") : row.port;
        auto *item = new QTreeWidgetItem(m_list, {row.time, row.command, port, differing});
        item->setData(0, Qt::UserRole, row.path);
        item->setToolTip(0, row.path);
        item->setData(0, Qt::AccessibleTextRole,
                      tr("%1，%2之前，串口 %3，与窗口不同 %4 项").arg(row.time, row.command, port, differing));
        if (row.path == current)
            again = item;
    }
    m_list->setCurrentItem(again ? again : m_list->topLevelItem(0));
    m_rule->setText(m_actions.rule() + QLatin1Char('\n') + tr("共 %1 个备份。").arg(m_list->topLevelItemCount()));
    updateButtons();
}

void BackupListDialog::updateButtons()
{
    const QString path = currentPath();
    for (QPushButton *button : {m_compare, m_restore, m_show, m_delete})
        button->setEnabled(!path.isEmpty());
    m_path->setText(path.isEmpty() ? m_folder : path);
}

void BackupListDialog::compareCurrent()
{
    if (!currentPath().isEmpty())
        m_actions.compare(currentPath());
}

void BackupListDialog::restoreCurrent()
{
    const QString path = currentPath();
    if (path.isEmpty())
        return;
    m_actions.restore(path);
    if (isVisible())
        reload();
}

void BackupListDialog::showCurrentInFolder()
{
    const QString path = currentPath();
    if (path.isEmpty())
        return;
    m_path->setText(path);
    if (m_actions.showInFolder(path)) {
        m_note->clear();
        return;
    }
    m_note->setText(tr("没有文件管理器可以打开。路径见上方，可复制。"));
    m_path->setFocus();
    m_path->selectAll();
}

void BackupListDialog::deleteCurrent()
{
    const QString path = currentPath();
    if (path.isEmpty())
        return;
    QMessageBox box(QMessageBox::Question, tr("删除备份"),
                    tr("删除备份 %1？").arg(QFileInfo(path).fileName()), QMessageBox::NoButton, this);
    QPushButton *yes = box.addButton(tr("删除"), QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(tr("取消"), QMessageBox::RejectRole));
    box.exec();
    if (box.clickedButton() != yes)
        return;
    const QString error = m_actions.remove(path);
    m_note->setText(error.isEmpty() ? QString() : tr("不能删除：%1").arg(error));
    reload();
}

void BackupListDialog::retranslate()
{
    setWindowTitle(tr("备份"));
    m_list->setHeaderLabels({tr("时间"), tr("之前的命令"), tr("串口"), tr("与窗口不同")});
    m_list->setAccessibleName(tr("备份列表"));
    m_pathLabel->setText(tr("路径(&P)："));
    m_path->setAccessibleName(tr("备份的路径"));
    m_copy->setText(tr("复制路径"));
    m_compare->setText(tr("比较(&C)"));
    m_compare->setToolTip(tr("这个备份与窗口中的设定并排比较"));
    m_restore->setText(tr("恢复(&R)"));
    m_restore->setToolTip(tr("像“加载数据”一样加载这个备份：先列出改变的设定，发送后读回核对"));
    m_show->setText(tr("在文件夹中显示(&F)"));
    m_delete->setText(tr("删除(&D)"));
    m_close->setText(tr("关闭"));
}

void BackupListDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        reload();
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Back from the window: a send took a backup, an edit changed the counts.
        reload();
    }
    QDialog::changeEvent(event);
}
