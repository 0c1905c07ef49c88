#include "link/inboundparser.h"

#include "link/livevalues.h"
#include "link/parameterblocks.h"
#include "model/parameterset.h"

namespace {

constexpr int kChannelWordsIndex = 2;
constexpr int kTxVoltIndex = 18;
constexpr int kFirstTrimIndex = 10; // Trim4, Trim3, Trim2, Trim1 from here on

// The transmitter reports trims up to 240, but a top value can arrive one
// short; 239 is stored as the end stop.
int trimFromByte(int b)
{
    return b > 238 ? 240 : b;
}

void decodeChannelPacket(const QByteArray &chunk, ParameterSet &p, LiveValues &live)
{
    for (int ch = 0; ch < 8; ++ch)
        channelOutput(ch).of(p) = bytesToWord(chunk, kChannelWordsIndex + 2 * ch);
    live.LiveTxVolt = bytesToWord(chunk, kTxVoltIndex);
}

void decodeStatusPacket(const QByteArray &chunk, ParameterSet &p, LiveValues &live)
{
    live.LiveRssi = byteAt(chunk, 2);
    live.LiveRxVolt = byteAt(chunk, 3);
    live.LiveExtVolt = bytesToWord(chunk, 4);
    // The words at 6 and 8 carry nothing the tool shows.
    if (p.TrimHold != 0)
        return;
    int ParameterSet::*const trims[] = {&ParameterSet::Trim4, &ParameterSet::Trim3,
                                        &ParameterSet::Trim2, &ParameterSet::Trim1};
    for (int i = 0; i < 4; ++i)
        p.*trims[i] = trimFromByte(byteAt(chunk, kFirstTrimIndex + i));
}

bool isLivePacket(const QByteArray &chunk, int type)
{
    return chunk.size() == kLivePacketLength && byteAt(chunk, 0) == kBlockMarker
            && byteAt(chunk, 1) == type;
}

} // namespace

int bytesToWord(const QByteArray &b, int a)
{
    return byteAt(b, a) * 256 + byteAt(b, a + 1);
}

InboundResult decodeChunk(const QByteArray &chunk, ParameterSet &p, LiveValues &live)
{
    return decodeChunk(chunk, p, live, &p);
}

InboundResult decodeChunk(const QByteArray &chunk, ParameterSet &p, LiveValues &live, ParameterSet *blocks)
{
    InboundResult result;
    if (chunk.isEmpty())
        return result;

    if (isLivePacket(chunk, kChannelPacketType)) {
        decodeChannelPacket(chunk, p, live);
        result.kind = InboundResult::ChannelPacket;
        return result;
    }
    if (isLivePacket(chunk, kStatusPacketType)) {
        decodeStatusPacket(chunk, p, live);
        result.kind = InboundResult::StatusPacket;
        return result;
    }
    if (chunk.size() == kAuxBlockLength && byteAt(chunk, 2) == kAuxBlockType) {
        const ParameterBlock &block = auxBlock();
        live.ReadFlag = block.number;
        if (blocks)
            storeBlockFields(block, chunk, *blocks);
        result.kind = InboundResult::AuxBlock;
        result.blockNumber = block.number;
        return result;
    }
    if (chunk.size() == kParamBlockLength && byteAt(chunk, 0) == kBlockMarker
            && byteAt(chunk, kParamBlockLength - 1) == kBlockMarker) {
        // Every framed block refreshes the pages, even one of a type this
        // tool does not know.
        result.refreshPages = true;
        result.kind = InboundResult::Unrecognised;
        if (const ParameterBlock *block = findParamBlock(byteAt(chunk, 2))) {
            live.ReadFlag = block->number;
            if (blocks)
                storeBlockFields(*block, chunk, *blocks);
            result.kind = InboundResult::ParamBlock;
            result.blockNumber = block->number;
        }
        return result;
    }
    result.kind = InboundResult::Unrecognised;
    return result;
}
