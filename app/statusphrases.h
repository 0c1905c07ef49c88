#pragma once

#include <QString>

#include <array>
#include <functional>

// Words put together from the texts of the language in effect. Kept as the
// way to make them, not as the words, so that a language switch says them
// again in the new language.
using Phrase = std::function<QString()>;

// What the status line has to say, each part kept as a phrase with its words
// in the language of the last rendering.
class StatusPhrases
{
public:
    enum Part {
        Progress,       // a command's step while it runs
        Outcome,        // the last command's outcome with its time
        OutcomeDetail,  // what the outcome found, for the second line
        OutcomeDetails, // all of it, for the tooltip
        BackupNote,     // the backup taken by the command of the outcome
        BackupDetail,   // its path
        Busy,           // a command refused while another runs
        PartCount
    };

    void set(Part part, Phrase phrase);
    void clear(Part part) { set(part, Phrase()); }
    bool has(Part part) const { return bool(m_phrases[part]); }
    const QString &text(Part part) const { return m_texts[part]; }
    // After a language switch: every part in the new language.
    void retranslate();

private:
    std::array<Phrase, PartCount> m_phrases;
    std::array<QString, PartCount> m_texts;
};

// A phrase of fixed words: a file's path, a system's error.
Phrase fixedPhrase(const QString &text);
