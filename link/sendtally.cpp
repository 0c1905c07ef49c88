#include "link/sendtally.h"

#include <iterator>

#include "link/protocol.h"

void SendTally::begin(bool portOpen, bool closing)
{
    *this = SendTally();
    m_running = true;
    m_open = portOpen;
    m_endsWithAcknowledgement = closing;
}

void SendTally::portClosed()
{
    if (m_running)
        m_cut = true;
}

void SendTally::frameWritten(bool taken)
{
    if (!m_running || !mayWrite())
        return;
    if (taken)
        ++m_frames;
    else
        m_cut = true; // a frame missing: whatever follows does not make a set
}

void SendTally::closingWritten(bool taken)
{
    if (!m_running || !mayWrite())
        return;
    m_acknowledgementTaken = taken;
    if (!taken)
        m_cut = true;
}

SendTally::Outcome SendTally::outcome() const
{
    if (!m_open)
        return Outcome::NotSent;
    const bool complete = m_frames == int(std::size(Protocol::kFrameOrder)) && (!m_endsWithAcknowledgement || m_acknowledgementTaken);
    return !m_cut && complete ? Outcome::Delivered : Outcome::Interrupted;
}
