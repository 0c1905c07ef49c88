#include "app/statusphrases.h"

#include <utility>

void StatusPhrases::set(Part part, Phrase phrase)
{
    m_phrases[part] = std::move(phrase);
    m_texts[part] = m_phrases[part] ? m_phrases[part]() : QString();
}

void StatusPhrases::retranslate()
{
    for (int part = 0; part < PartCount; ++part)
        m_texts[part] = m_phrases[part] ? m_phrases[part]() : QString();
}

Phrase fixedPhrase(const QString &text)
{
    return [text] { return text; };
}
