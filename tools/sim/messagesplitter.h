#pragma once

#include <QByteArray>
#include <QVector>

// One thing the tool wrote, as the transmitter's receiver makes it out.
struct ToolMessage
{
    enum Kind { Connect, Disconnect, ReadRequest, Acknowledge, Frame, Garbage };
    Kind kind;
    QByteArray bytes;
};

// Cuts the byte stream from the tool into messages. The tool writes each
// message with one write, but the line does not keep write boundaries: a
// "WWW" often arrives glued to a frame, and a frame may come in pieces.
//
// Short commands are recognised by their text. A frame starts with its
// letter S, G, H or I and runs up to the next byte that can only start a
// message (none of them occurs inside a well-formed frame), or ends after 81
// bytes when the 81st is the frame's terminator. Whether it is well formed is
// judged elsewhere; the splitter only delimits.
class MessageSplitter
{
public:
    // Adds bytes and returns the messages complete so far. An unfinished
    // command or frame stays pending.
    QVector<ToolMessage> feed(const QByteArray &bytes);

    // Takes whatever is pending as it stands; for when the line has gone
    // quiet, so a frame cut short is judged instead of waiting forever.
    QVector<ToolMessage> flush();

    bool hasPending() const { return !pending_.isEmpty(); }

private:
    QVector<ToolMessage> take(bool atEnd);

    QByteArray pending_;
};
