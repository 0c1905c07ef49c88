#pragma once

#include <QByteArray>
#include <QVector>

// The four frames of the factory set-up as the transmitter and a parameter
// file carry them, written out independently of the encoder, in the order
// S, G, H, I.
inline const QVector<QByteArray> &factoryFrames()
{
    static const QVector<QByteArray> frames = {
        "S0010000078787878787878787070707070707070707070707070707042421042424242421302352Y",
        "G41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z",
        "H7474747474747474003747474015747474001020314253647407474747474747474110140380000X",
        "I8888888800000000000000000000000000000000000000000000000000000000000000000000000V",
    };
    return frames;
}

// The factory set-up as a parameter file: the four frames back to back.
inline QByteArray factoryFile()
{
    QByteArray file;
    for (const QByteArray &frame : factoryFrames())
        file += frame;
    return file;
}
