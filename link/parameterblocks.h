#pragma once

#include <QByteArray>
#include <QVector>

#include "model/parameterset.h"

// The binary blocks in which the transmitter reports its configuration after
// "RR": eighteen 12-byte blocks FE, any, type, eight data bytes, FE, and one
// 8-byte block with 0xAA at index 2 that carries the channel 5..8 sources.
// The decoder and the encoder (test transmitters, simulators) both walk the
// tables below, so a field is described once.

// One data byte of a block. A word field takes its own index and the next
// (big-endian); the next slot then stays empty.
struct BlockSlot
{
    IntRef member;              // null: a byte the transmitter fills with nothing of use
    int offset = 0;             // subtracted on the way in, added on the way out
    bool word = false;          // 16-bit big-endian over this index and the next
    double ParameterSet::*volts = nullptr; // set to member / 10.0 right after the member
};

struct ParameterBlock
{
    int number;                 // 1..19, the order in which the transmitter sends them
    int type;                   // the byte at index 2
    int length;                 // 12, or 8 for the source block
    QVector<BlockSlot> fields;  // data bytes from index kBlockFirstDataIndex on
};

constexpr int kBlockFirstDataIndex = 3;
constexpr int kParamBlockLength = 12;
constexpr int kAuxBlockLength = 8;
constexpr int kAuxBlockType = 0xAA;
constexpr int kAuxBlockNumber = 7;
constexpr unsigned char kBlockMarker = 0xFE;
// The live packets the transmitter streams begin with the same marker,
// then their type: the channels, or the status with trims and telemetry.
constexpr int kLivePacketLength = 20;
constexpr int kChannelPacketType = 0x18;
constexpr int kStatusPacketType = 0x19;

// The byte at index i of b as 0..255; 0 outside b.
int byteAt(const QByteArray &b, int i);

// All nineteen blocks in block-number order.
const QVector<ParameterBlock> &parameterBlocks();

// The 12-byte block of the given type, or nullptr when no block has it.
const ParameterBlock *findParamBlock(int type);

// The 8-byte source block (number 7).
const ParameterBlock &auxBlock();

// Stores the fields of block into p from a chunk of block.length bytes, in
// index order, each voltage right after its tenths.
void storeBlockFields(const ParameterBlock &block, const QByteArray &chunk, ParameterSet &p);

// Copies the settings block number (1..19) carries from one set to another;
// any other number copies nothing.
void copyBlockFields(int number, const ParameterSet &from, ParameterSet &to);

// The bytes of one block as the transmitter would send them; values that do
// not fit their byte or word after the offset are clamped to it.
QByteArray encodeBlock(const ParameterBlock &block, const ParameterSet &p);

// The nineteen blocks of p in block-number order 1..19.
QVector<QByteArray> encodeParameterBlocks(const ParameterSet &p);

// A 20-byte channel packet: FE 18, the eight outputs and the transmitter
// voltage as words. Channels missing from the vector are sent as 1000.
QByteArray encodeChannelPacket(const QVector<int> &channels, int txVoltHundredths);

// A 20-byte status packet: FE 19, signal, receiver voltage (byte), external
// voltage (word), two unused words, the trims at 10..13 as Trim4, Trim3,
// Trim2, Trim1, and six unused bytes.
QByteArray encodeStatusPacket(int rssi, int rxVoltTenths, int extVoltTenths,
                              int trim1, int trim2, int trim3, int trim4);
