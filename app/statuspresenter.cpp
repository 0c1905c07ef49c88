#include "app/statuspresenter.h"

#include <QTime>

void StatusPresenter::create(QWidget *parent, Facts facts)
{
    m_facts = std::move(facts);
    m_line.create(parent);
    m_banner.create(parent);
}

void StatusPresenter::showStep(Phrase step, int value, int maximum)
{
    m_said.set(StatusPhrases::Progress, std::move(step));
    if (maximum > 0)
        m_line.showProgress(value, maximum);
    else
        m_line.hideProgress();
}

void StatusPresenter::endStep()
{
    m_said.clear(StatusPhrases::Progress);
    m_line.hideProgress();
}

void StatusPresenter::setOutcome(Phrase text, Phrase detail, Phrase details)
{
    if (!m_backupFresh)
        clearBackup();
    m_backupFresh = false;
    const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm"));
    m_said.set(StatusPhrases::Outcome, [text, time] { return StatusTexts::withTime(text(), time); });
    m_said.set(StatusPhrases::OutcomeDetail, std::move(detail));
    m_said.set(StatusPhrases::OutcomeDetails, std::move(details));
}

void StatusPresenter::setBackup(Phrase note, Phrase detail)
{
    m_said.set(StatusPhrases::BackupNote, std::move(note));
    m_said.set(StatusPhrases::BackupDetail, std::move(detail));
    m_backupFresh = true;
}

void StatusPresenter::keepBackupForOutcome()
{
    m_backupFresh = true;
}

void StatusPresenter::clearBackup()
{
    m_said.clear(StatusPhrases::BackupNote);
    m_said.clear(StatusPhrases::BackupDetail);
}

void StatusPresenter::setBusy(Phrase why)
{
    m_said.set(StatusPhrases::Busy, std::move(why));
}

void StatusPresenter::forget()
{
    for (auto part : {StatusPhrases::Outcome, StatusPhrases::OutcomeDetail, StatusPhrases::OutcomeDetails,
                      StatusPhrases::BackupNote, StatusPhrases::BackupDetail, StatusPhrases::Progress})
        m_said.clear(part);
    m_line.hideProgress();
}

void StatusPresenter::showInterruption(Interruption what, int frames)
{
    if (what == Interruption::ConnectionLost && m_interruption == Interruption::SendCut && m_banner.isShown())
        return;
    m_interruption = what;
    m_interruptedFrames = frames;
    showBanner();
}

void StatusPresenter::dismissInterruption()
{
    m_interruption = Interruption::None;
    m_banner.hide();
}

void StatusPresenter::showBanner()
{
    switch (m_interruption) {
    case Interruption::None:
        m_banner.hide();
        break;
    case Interruption::SendCut:
        m_banner.show(StatusTexts::sendCutBanner(m_interruptedFrames));
        break;
    case Interruption::ConnectionLost:
        m_banner.show(StatusTexts::connectionLost());
        break;
    }
}

void StatusPresenter::retranslate()
{
    // A banner the pilot closed stays closed.
    if (m_banner.isShown())
        showBanner();
    m_said.retranslate();
}

void StatusPresenter::update()
{
    StatusTexts::StatusFacts facts = m_facts ? m_facts() : StatusTexts::StatusFacts();
    facts.progress = m_said.text(StatusPhrases::Progress);
    facts.outcome = m_said.text(StatusPhrases::Outcome);
    const QString detail = m_said.text(StatusPhrases::OutcomeDetail);
    // The window's own detail (late blocks) comes after the outcome's.
    if (!detail.isEmpty())
        facts.outcomeDetail = facts.outcomeDetail.isEmpty() ? detail : detail + QStringLiteral(" · ") + facts.outcomeDetail;
    facts.outcomeDetails = m_said.text(StatusPhrases::OutcomeDetails);
    facts.backupNote = m_said.text(StatusPhrases::BackupNote);
    facts.backupDetail = m_said.text(StatusPhrases::BackupDetail);
    facts.busy = m_said.text(StatusPhrases::Busy);
    const StatusTexts::StatusLines status = StatusTexts::composeStatus(facts);
    m_line.show(status.lines, status.details);
}
