#include "link/parameterblocks.h"

#include <algorithm>

namespace {

using P = ParameterSet;

BlockSlot byteOf(IntRef member, int offset = 0, double P::*volts = nullptr)
{
    return {member, offset, false, volts};
}

BlockSlot wordOf(IntRef member, double P::*volts = nullptr)
{
    return {member, 0, true, volts};
}

BlockSlot unused()
{
    return {};
}

QVector<BlockSlot> table8(int (P::*a)[4], int (P::*b)[4], int offset = 0)
{
    QVector<BlockSlot> fields;
    for (int i = 0; i < 4; ++i)
        fields.append(byteOf(IntRef(a, i), offset));
    for (int i = 0; i < 4; ++i)
        fields.append(byteOf(IntRef(b, i), offset));
    return fields;
}

QVector<BlockSlot> bytes(std::initializer_list<int P::*> members, int offset = 0)
{
    QVector<BlockSlot> fields;
    for (int P::*m : members)
        fields.append(byteOf(m, offset));
    return fields;
}

QVector<ParameterBlock> buildBlocks()
{
    constexpr int L = kParamBlockLength;
    // Sub-trims and elevon values come back as byte - 120; V-tail values,
    // programmable-mix values, dual-rate exponentials and the signal alarm as
    // byte - 100; everything else unchanged.
    return {
        {1, 0x44, L, bytes({&P::Rev1, &P::Rev2, &P::Rev3, &P::Rev4, &P::Rev5, &P::Rev6, &P::Rev7, &P::Rev8})},
        {2, 0x55, L, bytes({&P::Sub1, &P::Sub2, &P::Sub3, &P::Sub4, &P::Sub5, &P::Sub6, &P::Sub7, &P::Sub8}, 120)},
        {3, 0x66, L, bytes({&P::Lepa1, &P::Lepa2, &P::Lepa3, &P::Lepa4, &P::Lepa5, &P::Lepa6, &P::Lepa7, &P::Lepa8})},
        {4, 0x77, L, bytes({&P::Repa1, &P::Repa2, &P::Repa3, &P::Repa4, &P::Repa5, &P::Repa6, &P::Repa7, &P::Repa8})},
        {5, 0x88, L, bytes({&P::FS1, &P::FS2, &P::FS3, &P::FS4, &P::FS5, &P::FS6, &P::FS7, &P::FS8})},
        {6, 0x99, L, {wordOf(&P::TxVoltTenths, &P::TxVolt), unused(), wordOf(&P::Mode), unused(),
                      wordOf(&P::Vertion), unused(), unused(), unused()}},
        {kAuxBlockNumber, kAuxBlockType, kAuxBlockLength, bytes({&P::Aux5, &P::Aux6, &P::Aux7, &P::Aux8})},
        {8, 0xA1, L, bytes({&P::AttiM, &P::Atti1, &P::Atti2, &P::Atti3, &P::Atti4, &P::Atti5, &P::Atti6})
                             << unused()},
        {9, 0xA2, L, QVector<BlockSlot>{byteOf(&P::EleMix)}
                             << bytes({&P::Elev1, &P::Elev5, &P::Elev2, &P::Elev6, &P::Elev3, &P::Elev4}, 120)
                             << unused()},
        {10, 0xA3, L, QVector<BlockSlot>{byteOf(&P::RuMix)}
                              << bytes({&P::Ru1, &P::Ru2, &P::Ru3, &P::Ru4}, 100)
                              << byteOf(&P::DrMix) << unused() << unused()},
        {11, 0xA4, L, bytes({&P::Delay1, &P::Delay2, &P::Delay3, &P::Delay4, &P::Delay5, &P::Delay6, &P::Delay7, &P::Delay8})},
        {12, 0xA5, L, table8(&P::DrRateUp, &P::DrRateDown)},
        {13, 0xA6, L, bytes({&P::Prm1Data2, &P::Prm2Data2, &P::Prm1Data3, &P::Prm2Data3, &P::Prm1Data1, &P::Prm2Data1}, 100)
                              << bytes({&P::Prm1Master, &P::Prm2Master})},
        {14, 0xA7, L, bytes({&P::Prm1Slave, &P::Prm2Slave, &P::Prm1Mix, &P::Prm2Mix})
                              << unused() << unused() << unused() << unused()},
        {15, 0xA8, L, bytes({&P::Prm3Mix, &P::Prm3Master, &P::Prm3Slave})
                              << bytes({&P::Prm3Data1, &P::Prm3Data2, &P::Prm3Data3}, 100)
                              << bytes({&P::Prm4Mix, &P::Prm4Master})},
        {16, 0xA9, L, bytes({&P::Prm4Slave})
                              << bytes({&P::Prm4Data1, &P::Prm4Data2, &P::Prm4Data3}, 100)
                              << bytes({&P::ThCureMix, &P::ThCureExtra, &P::ThCure1, &P::ThCure2})},
        {17, 0xAA, L, bytes({&P::ThCure3, &P::ThCure4, &P::ThCure5, &P::ThCure6, &P::ThCure7})
                              << unused() << unused() << unused()},
        {18, 0xAB, L, {byteOf(&P::DrSw), byteOf(&P::DrPosi), wordOf(&P::ExtVoltTenths, &P::ExtVolt), unused(),
                       byteOf(&P::RssiAlarm, 100), byteOf(&P::RxVoltTenths, 0, &P::RxVolt), unused(), unused()}},
        {19, 0xAC, L, table8(&P::DrExpUp, &P::DrExpDown, 100)},
    };
}

char clampedByte(int v)
{
    return static_cast<char>(std::clamp(v, 0, 0xFF));
}

void appendWord(QByteArray &out, int v)
{
    const int w = std::clamp(v, 0, 0xFFFF);
    out.append(static_cast<char>(w >> 8));
    out.append(static_cast<char>(w & 0xFF));
}

} // namespace

int byteAt(const QByteArray &b, int i)
{
    return i >= 0 && i < b.size() ? static_cast<unsigned char>(b.at(i)) : 0;
}

const QVector<ParameterBlock> &parameterBlocks()
{
    static const QVector<ParameterBlock> blocks = buildBlocks();
    return blocks;
}

const ParameterBlock *findParamBlock(int type)
{
    for (const ParameterBlock &block : parameterBlocks()) {
        if (block.type == type && block.length == kParamBlockLength)
            return &block;
    }
    return nullptr;
}

const ParameterBlock &auxBlock()
{
    return parameterBlocks().at(kAuxBlockNumber - 1);
}

void storeBlockFields(const ParameterBlock &block, const QByteArray &chunk, ParameterSet &p)
{
    for (int i = 0; i < block.fields.size(); ++i) {
        const BlockSlot &slot = block.fields.at(i);
        if (slot.member.isNull())
            continue;
        const int index = kBlockFirstDataIndex + i;
        const int raw = slot.word ? byteAt(chunk, index) * 256 + byteAt(chunk, index + 1)
                                  : byteAt(chunk, index);
        int &member = slot.member.of(p);
        member = raw - slot.offset;
        if (slot.volts)
            p.*slot.volts = member / 10.0;
    }
}

void copyBlockFields(int number, const ParameterSet &from, ParameterSet &to)
{
    if (number < 1 || number > parameterBlocks().size())
        return;
    for (const BlockSlot &slot : parameterBlocks().at(number - 1).fields) {
        if (slot.member.isNull())
            continue;
        slot.member.of(to) = slot.member.of(from);
        if (slot.volts)
            to.*slot.volts = from.*slot.volts;
    }
}

QByteArray encodeBlock(const ParameterBlock &block, const ParameterSet &p)
{
    QByteArray out(block.length, '\0');
    out[0] = static_cast<char>(kBlockMarker);
    out[1] = static_cast<char>(block.number);
    out[2] = static_cast<char>(block.type);
    out[block.length - 1] = static_cast<char>(kBlockMarker);
    for (int i = 0; i < block.fields.size(); ++i) {
        const BlockSlot &slot = block.fields.at(i);
        if (slot.member.isNull())
            continue;
        const int index = kBlockFirstDataIndex + i;
        const int value = slot.member.of(p) + slot.offset;
        if (slot.word) {
            const int w = std::clamp(value, 0, 0xFFFF);
            out[index] = static_cast<char>(w >> 8);
            out[index + 1] = static_cast<char>(w & 0xFF);
        } else {
            out[index] = clampedByte(value);
        }
    }
    return out;
}

QVector<QByteArray> encodeParameterBlocks(const ParameterSet &p)
{
    QVector<QByteArray> out;
    for (const ParameterBlock &block : parameterBlocks())
        out.append(encodeBlock(block, p));
    return out;
}

QByteArray encodeChannelPacket(const QVector<int> &channels, int txVoltHundredths)
{
    QByteArray out;
    out.append(static_cast<char>(kBlockMarker));
    out.append(static_cast<char>(kChannelPacketType));
    for (int ch = 0; ch < 8; ++ch)
        appendWord(out, ch < channels.size() ? channels.at(ch) : 1000);
    appendWord(out, txVoltHundredths);
    return out;
}

QByteArray encodeStatusPacket(int rssi, int rxVoltTenths, int extVoltTenths,
                              int trim1, int trim2, int trim3, int trim4)
{
    QByteArray out;
    out.append(static_cast<char>(kBlockMarker));
    out.append(static_cast<char>(kStatusPacketType));
    out.append(clampedByte(rssi));
    out.append(clampedByte(rxVoltTenths));
    appendWord(out, extVoltTenths);
    appendWord(out, 0);
    appendWord(out, 0);
    for (int trim : {trim4, trim3, trim2, trim1})
        out.append(clampedByte(trim));
    out.append(QByteArray(6, '\0'));
    return out;
}
