#pragma once

#include <QVector>

#include "link/transmitterrecord.h"

struct Setting;

// What the transmitter was found to hold after a send: the read-back that
// proves a send arrived. Widget-free; the window and its tests share it.
struct SendCheck
{
    enum class Result {
        NotAsked,   // no read-back (switched off, or the send did not go out whole)
        Verified,   // every setting read back as it was sent
        Differs,    // a complete read-back, but some settings are not as sent
        Incomplete, // some blocks came back, not all: nothing is proven
        Silent,     // nothing came from the transmitter: nothing is proven
    };
    Result result = Result::NotAsked;
    int received = 0;                      // blocks of the read-back
    QVector<const Setting *> differences;  // for Differs, in table order

    // heard: whether the transmitter sent anything (a live packet or a block)
    // within the last two seconds when the read-back was to start; a silent
    // transmitter is not asked.
    static SendCheck judge(bool heard, const TransmitterRecord::ReadOutcome &readBack);
    static SendCheck silent();
};

// How long without any input before the transmitter counts as silent.
constexpr int kSilentAfterMs = 2000;
// A transmitter counts as there while its live packets came this recently.
constexpr int kPresentWithinMs = 1000;
