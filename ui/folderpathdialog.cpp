#include "ui/folderpathdialog.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

FolderPathDialog::FolderPathDialog(const QString &path, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("folderPathDialog"));
    auto *layout = new QVBoxLayout(this);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("folderPathMessage"));
    m_message->setWordWrap(true);
    layout->addWidget(m_message);

    auto *pathRow = new QHBoxLayout;
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("folderPath"));
    m_path->setReadOnly(true);
    m_path->setMinimumWidth(420);
    m_message->setBuddy(m_path);
    m_copy = new QPushButton(this);
    m_copy->setObjectName(QStringLiteral("folderCopyPath"));
    m_copy->setAutoDefault(false);
    connect(m_copy, &QPushButton::clicked, this, &FolderPathDialog::copyPath);
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_copy);
    layout->addLayout(pathRow);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("folderPathClose"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    retranslate();
    setPath(path);
}

void FolderPathDialog::setPath(const QString &path)
{
    m_path->setText(path);
    m_path->setCursorPosition(0);
    m_path->selectAll();
    m_path->setFocus();
}

void FolderPathDialog::copyPath()
{
    QGuiApplication::clipboard()->setText(m_path->text());
    m_copied = true;
    retranslate();
    QTimer::singleShot(kCopiedMs, this, [this] {
        m_copied = false;
        retranslate();
    });
}

void FolderPathDialog::retranslate()
{
    setWindowTitle(tr("备份文件夹"));
    m_message->setText(tr("没有文件管理器可以打开备份文件夹。它在这里："));
    m_path->setAccessibleName(tr("备份文件夹的路径"));
    // The button keeps the width of its longer text.
    const QString copy = tr("复制路径");
    const QString copied = tr("已复制");
    const QFontMetrics metrics = m_copy->fontMetrics();
    m_copy->setText(metrics.horizontalAdvance(copied) > metrics.horizontalAdvance(copy) ? copied : copy);
    m_copy->setMinimumWidth(0);
    m_copy->setMinimumWidth(m_copy->sizeHint().width());
    m_copy->setText(m_copied ? copied : copy);
    m_close->setText(tr("关闭"));
}

void FolderPathDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
