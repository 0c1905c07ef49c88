#pragma once

#include <QByteArray>

struct ParameterSet;
struct LiveValues;

// What one chunk of serial input turned out to be.
struct InboundResult
{
    enum Kind { Empty, ChannelPacket, StatusPacket, AuxBlock, ParamBlock, Unrecognised };
    Kind kind = Empty;
    int blockNumber = 0; // 1..19 for a known parameter block, 0 otherwise
    bool refreshPages = false; // every 12-byte block framed by 0xFE asks for a refresh
};

// Big-endian 16-bit value at index a; bytes beyond the end count as 0.
int bytesToWord(const QByteArray &b, int a);

// Decodes one chunk (the bytes of one readyRead) into p and live. A chunk is
// one message, told apart by its exact length and marker bytes; anything else
// is left alone. Trims are taken only while p.TrimHold is 0.
InboundResult decodeChunk(const QByteArray &chunk, ParameterSet &p, LiveValues &live);
// The same, with the settings of a parameter block going into blocks instead
// of p; with blocks nullptr a block is only told apart, stored nowhere.
InboundResult decodeChunk(const QByteArray &chunk, ParameterSet &p, LiveValues &live, ParameterSet *blocks);
