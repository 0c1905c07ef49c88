#include "app/transferboxes.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "app/messagetexts.h"
#include "app/statuspresenter.h"

TransferBoxes::TransferBoxes(QWidget *parent, StatusPresenter &status, std::function<void()> changed)
    : m_parent(parent)
    , m_status(status)
    , m_changed(std::move(changed))
{
}

TransferQuestions::Unread TransferBoxes::unreadSetup(int received)
{
    QMessageBox box(QMessageBox::Warning, portTexts().title,
                    QCoreApplication::translate("SafeWrites", "无法读取遥控器当前的设置（收到 %1/19 块）。").arg(received),
                    QMessageBox::NoButton, m_parent);
    box.setInformativeText(QCoreApplication::translate("SafeWrites", "不先读取就无法备份。仍然写入会覆盖遥控器的设置，且没有备份可以恢复。"));
    QPushButton *again = box.addButton(QCoreApplication::translate("SafeWrites", "重新读取"), QMessageBox::ActionRole);
    QPushButton *anyway = box.addButton(QCoreApplication::translate("SafeWrites", "仍然写入"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QCoreApplication::translate("SafeWrites", "不写入"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == again)
        return Unread::ReadAgain;
    return box.clickedButton() == anyway ? Unread::WriteAnyway : Unread::DontWrite;
}

void TransferBoxes::backupTaken(const Backup &backup)
{
    const StatusTexts::Command command = m_command;
    switch (backup.kind) {
    case Backup::Kind::NoneUnread:
        m_status.setBackup(StatusTexts::noBackup);
        break;
    case Backup::Kind::Written:
        m_status.setBackup([command] { return StatusTexts::backupWritten(command); }, fixedPhrase(backup.path));
        break;
    case Backup::Kind::Failed:
        m_status.setBackup(StatusTexts::backupFailed, fixedPhrase(backup.path + QLatin1Char('\n') + backup.error));
        break;
    }
    m_changed();
}

bool TransferBoxes::writeWithoutBackup(const Backup &failed)
{
    QMessageBox box(QMessageBox::Warning, portTexts().title,
                    QCoreApplication::translate("SafeWrites", "无法保存遥控器当前设置的备份。"), QMessageBox::NoButton, m_parent);
    box.setInformativeText(QCoreApplication::translate("SafeWrites", "仍然写入会覆盖遥控器的设置，且没有备份可以恢复。"));
    box.setDetailedText(failed.path + QLatin1Char('\n') + failed.error);
    QPushButton *anyway = box.addButton(QCoreApplication::translate("SafeWrites", "仍然写入"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QCoreApplication::translate("SafeWrites", "不写入"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == anyway;
}

bool TransferBoxes::mayDropUnwritten(const QString &work)
{
    if (work.isEmpty())
        return true;
    QMessageBox box(QMessageBox::Question, portTexts().title, work, QMessageBox::NoButton, m_parent);
    box.setInformativeText(QCoreApplication::translate("SafeWrites", "读取会用遥控器中的设置替换这些更改。"));
    QPushButton *read = box.addButton(QCoreApplication::translate("SafeWrites", "读取并替换"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QCoreApplication::translate("SafeWrites", "取消"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == read;
}

TransferBoxes::CloseAnswer TransferBoxes::askBeforeClosing(const QString &work)
{
    if (work.isEmpty())
        return CloseAnswer::Close;
    QMessageBox box(QMessageBox::Warning, portTexts().title, work, QMessageBox::NoButton, m_parent);
    box.setInformativeText(QCoreApplication::translate("SafeWrites", "关闭窗口，这些更改就会丢失。"));
    QPushButton *close = box.addButton(QCoreApplication::translate("SafeWrites", "不写入，关闭"), QMessageBox::DestructiveRole);
    QPushButton *save = box.addButton(QCoreApplication::translate("SafeWrites", "先保存到文件…"), QMessageBox::ActionRole);
    QPushButton *stay = box.addButton(QCoreApplication::translate("SafeWrites", "取消"), QMessageBox::RejectRole);
    box.setDefaultButton(stay);
    box.setEscapeButton(stay);
    box.exec();
    if (box.clickedButton() == close)
        return CloseAnswer::Close;
    return box.clickedButton() == save ? CloseAnswer::SaveFirst : CloseAnswer::Stay;
}
