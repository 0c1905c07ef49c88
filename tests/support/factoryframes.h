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

// The file with every field character of its four frames replaced by c: the
// letters, the constant "6" of the G frame and the tails stay in place.
inline QByteArray fieldsReplaced(QByteArray file, char c)
{
    const int prefixLengths[] = {80, 77, 76, 9}; // S, G, H, I: letter and fields
    for (int k = 0; k < 4; ++k) {
        for (int pos = 1; pos < prefixLengths[k]; ++pos) {
            if (!(k == 1 && pos == 36) && 81 * k + pos < file.size())
                file[81 * k + pos] = c;
        }
    }
    return file;
}
