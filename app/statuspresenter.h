#pragma once

#include <functional>

#include "app/statusphrases.h"
#include "app/statustexts.h"
#include "ui/statusbanner.h"
#include "ui/statusline.h"

class QWidget;

// What the status line and the banner say: the running step, the last
// command's outcome with the backup it took, a note while busy, and an
// interruption the pilot must not miss. Each is kept as a phrase, so that a
// language switch says it all again.
class StatusPresenter
{
public:
    // What the window knows besides: the port, the unwritten settings, an
    // uncertain transmitter; the presenter adds what it was told.
    using Facts = std::function<StatusTexts::StatusFacts()>;
    enum class Interruption { None, SendCut, ConnectionLost };

    // The line and the banner on parent. What changes them shows at the
    // next update().
    void create(QWidget *parent, Facts facts);
    StatusLine &line() { return m_line; }
    const StatusBanner &banner() const { return m_banner; }

    // A command's step, with its bar at value of maximum (none for 0).
    void showStep(Phrase step, int value = 0, int maximum = 0);
    void endStep();
    // A command's outcome, stamped with the time. A backup belongs to the
    // command that took it: set since the last outcome, it stays with this
    // one, else it goes.
    void setOutcome(Phrase text, Phrase detail = {}, Phrase details = {});
    bool hasOutcome() const { return m_said.has(StatusPhrases::Outcome); }
    // The backup of the running command (note) and its path (detail).
    void setBackup(Phrase note, Phrase detail = {});
    void clearBackup();
    // The backup set stays with the next outcome after all.
    void keepBackupForOutcome();
    QString backupDetail() const { return m_said.text(StatusPhrases::BackupDetail); }
    // Why a command waits or is refused.
    void setBusy(Phrase why);
    // The connection ended: nothing said of the transmitter holds.
    void forget();

    // The banner: a cut send says more than the lost connection that cut it.
    void showInterruption(Interruption what, int frames = 0);
    void dismissInterruption();

    // Everything again in the window's language (the line at update()).
    void retranslate();
    // The line says what is known now.
    void update();

private:
    void showBanner();

    Facts m_facts;
    StatusLine m_line;
    StatusBanner m_banner;
    StatusPhrases m_said;
    bool m_backupFresh = false; // the backup was taken by the running command
    Interruption m_interruption = Interruption::None;
    int m_interruptedFrames = 0;
};
