#pragma once

// How much of one send reached the connection it began on. A send counts as
// delivered only when the port of that connection took every frame (and the
// closing acknowledgement, for a command that has one) and stayed open
// throughout. Once the port closes, the rest of the send is written nowhere:
// not to the closed port, nor to a connection opened meanwhile, which did
// not ask for it. Widget-free; the window tells it what happens.
class SendTally
{
public:
    enum class Outcome { Delivered, NotSent, Interrupted };

    // A send begins; portOpen: whether the port is open now, closing:
    // whether the send ends with the acknowledgement.
    void begin(bool portOpen, bool closing);
    // The send is over (also when it never began).
    void end() { m_running = false; }
    bool running() const { return m_running; }
    // Whether the send began on an open port.
    bool beganOpen() const { return m_running && m_open; }

    // The port closes: what follows goes to another connection or nowhere.
    void portClosed();
    // Whether the next write of the send may go out. Outside a send every
    // write may.
    bool mayWrite() const { return !m_running || (m_open && !m_cut); }
    // A frame of the send was written; taken: whether the port took it.
    void frameWritten(bool taken);
    void closingWritten(bool taken);

    bool cut() const { return m_cut; }
    // Frames the port took on the connection the send began on.
    int frames() const { return m_frames; }
    Outcome outcome() const;

private:
    bool m_running = false;
    bool m_open = false;
    bool m_endsWithAcknowledgement = false;
    bool m_cut = false;
    bool m_acknowledgementTaken = false;
    int m_frames = 0;
};
