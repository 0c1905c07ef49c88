#pragma once

#include <QVector>

#include "link/protocol.h"
#include "link/readreply.h"
#include "link/transmitterrecord.h"

struct ParameterSet;
struct Setting;

// When a Read reply is over, and what the read-back after a send proves:
// the one rule the window and the command-line tool both follow.
namespace ReplyRules {

// The transmitter's timings, which a conversation's Protocol::Pacing
// carries (a test that does not look at them may shorten them there).
// No block this long after "RR": there is no reply.
constexpr int kFirstBlockMs = Protocol::Pacing().firstBlockMs;
// No new block (one sent again does not count) this long after the last
// new one: the reply is over.
constexpr int kQuietAfterBlockMs = Protocol::Pacing().quietAfterBlockMs;
// However a reply trickles or repeats itself, it is over this long after
// "RR".
constexpr int kWholeReplyMs = Protocol::Pacing().wholeReplyMs;
// The trims come only with a status packet, which the transmitter streams
// again as soon as its reply is over.
constexpr int kStatusWaitMs = 2000;
// No input at all this long: the transmitter counts as silent, and a send
// to it is not read back.
constexpr int kSilentAfterMs = 2000;
// A transmitter counts as there while its live packets came this recently.
constexpr int kPresentWithinMs = 1000;

// How long the reply may still go on without a new block, counted from "RR"
// while none came (distinctBlocks 0), else from the last new block; 0 once
// all nineteen came.
int quietLimitMs(int distinctBlocks, const Protocol::Pacing &pacing = Protocol::Pacing());

} // namespace ReplyRules

// What a read-back compares: every setting a Read reply carries, and the
// trims when a status packet after the reply brought them (trimsRead). The
// settings of sent that differ in held, in table order.
QVector<const Setting *> readBackDifferences(const ParameterSet &sent, const ParameterSet &held, bool trimsRead);

// What the transmitter was found to hold after a send.
struct SendCheck
{
    enum class Result {
        NotAsked,   // no read-back (switched off, or the send did not go out whole)
        Verified,   // every setting compared read back as it was sent
        Differs,    // a complete read-back, but some settings are not as sent
        Incomplete, // some blocks came back, not all: nothing is proven
        Silent,     // nothing came from the transmitter: nothing is proven
    };
    Result result = Result::NotAsked;
    int received = 0;                      // blocks of the read-back
    QVector<const Setting *> differences;  // for Differs, in table order

    // heard: whether the transmitter sent anything (a live packet or a block)
    // within kSilentAfterMs when the read-back was to start, or during it; a
    // silent transmitter is not asked.
    static SendCheck judge(bool heard, const TransmitterRecord::ReadOutcome &readBack);
    static SendCheck silent();
};
