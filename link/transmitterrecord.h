#pragma once

#include <QByteArray>
#include <QStringList>
#include <QVector>

#include "link/framecodec.h"
#include "link/livevalues.h"
#include "link/readreply.h"
#include "model/parameterset.h"
#include "model/settingchanges.h"
#include "model/settings.h"

// What the tool knows the transmitter holds, for one connection: the result
// of the last complete Read, or what was last sent to it. Widget-free; the
// window feeds it the chunks of a Read reply and the frames it sent.
class TransmitterRecord
{
public:
    struct ReadOutcome
    {
        int received = 0;
        bool complete = false;
        QStringList stalePages;  // object names of the pages that may show old values
        bool compared = false;   // a send came before in this connection
        QVector<const Setting *> differences; // filled by the transfer workflow with the read-back rule
    };

    // The connection ended (closed, unplugged, opened again): what was last
    // known stays, so the window's changes over it stay marked, but no
    // backup is taken of it and no send compared with it until the next
    // complete Read. How much of a reply came stays to be told.
    void connectionEnded();

    // "RR" went out: the reply is collected on top of current, so members a
    // reply does not carry keep the values the tool had.
    void startRead(const ParameterSet &current);
    bool reading() const { return m_reading; }
    // Where the conversation decodes the blocks of the reply, as the
    // transmitter sent them, before anything of the window touches them.
    ParameterSet &replySet() { return m_replySet; }
    // A block of the reply arrived (its number, 1..19); the blocks are
    // counted, one sent again once.
    void blockArrived(int number);
    int blocksReceived() const { return m_reply.received(); }
    const ReadReply &reply() const { return m_reply; }
    // The reply is over. A complete one becomes what the transmitter holds
    // (with the trims and channel outputs the live stream keeps current in
    // current) and, after a send, is to be compared with lastSent().
    ReadOutcome finishRead(const ParameterSet &current);
    const ParameterSet &lastSent() const { return m_sent; }

    // The four frames as they went out: decoded, they are what the
    // transmitter holds now. base supplies what the frames do not carry.
    void sent(const ParameterFrames &frames, const ParameterSet &base);
    // A send of these frames was cut short: the transmitter may hold any
    // part of it. What was known before stays (it is all that is known, and
    // edits stay marked against it), but it is uncertain until the next
    // complete Read, which is compared with what the send meant to write.
    void sendCut(const ParameterFrames &frames, const ParameterSet &base);

    // The send recorded last was not confirmed (the transmitter fell silent,
    // or its read-back was incomplete): what was known before it stays, and
    // it is uncertain until the next complete Read.
    void sendUnconfirmed();

    bool hasKnown() const { return m_hasKnown; }
    const ParameterSet &known() const { return m_known; }
    bool hasCompleteRead() const { return m_hasCompleteRead; }
    bool uncertain() const { return m_uncertain; }

private:
    ParameterSet m_replySet;
    ReadReply m_reply;
    bool m_reading = false;

    ParameterSet m_known;
    bool m_hasKnown = false;
    bool m_hasCompleteRead = false;
    bool m_uncertain = false;
    ParameterSet m_sent;
    bool m_hasSent = false;
    ParameterSet m_knownBeforeSend;
    bool m_hadKnownBeforeSend = false;
};

// The settings a Read reply carries (the trims and the selected dual-rate
// channel come by other ways).
bool isReadBack(const Setting &setting);

// Object names of the pages showing settings of the given blocks, in page
// order.
QStringList pagesOfBlocks(const QVector<int> &blockNumbers);

// What a Read made before a command leaves in the window: the settings the
// reply carried, the pilot's edits (net changes since the last Read) on
// top, and what the live stream keeps current (channels, trims) from current.
ParameterSet readKeepingEdits(const ParameterSet &read, const ParameterSet &current,
                              const QVector<SettingChange> &edits);

// The decoded content of frames as they stand, on top of base.
ParameterSet decodeFrames(const ParameterFrames &frames, const ParameterSet &base);
