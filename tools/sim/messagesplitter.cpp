#include "sim/messagesplitter.h"

#include "link/framecodec.h"

namespace {

// A frame candidate that grows past this without an end is cut, so a stream
// of noise cannot make the buffer grow without bound.
constexpr int kMaxCandidate = 2 * kFrameLength;

struct Command
{
    const char *text;
    ToolMessage::Kind kind;
};

const Command kCommands[] = {
    {"WWW", ToolMessage::Acknowledge},
    {"DIS", ToolMessage::Disconnect},
    {"OK", ToolMessage::Connect},
    {"RR", ToolMessage::ReadRequest},
};

bool isFrameLetter(char c)
{
    return c == 'S' || c == 'G' || c == 'H' || c == 'I';
}

char terminatorOf(char letter)
{
    switch (letter) {
    case 'S':
        return 'Y';
    case 'G':
        return 'Z';
    case 'H':
        return 'X';
    default:
        return 'V';
    }
}

enum class Start { Yes, No, Undecided };

// Whether a message can begin at index i. 'D' is also a hex digit, so it
// counts only when the whole "DIS" is there.
Start messageStartsAt(const QByteArray &buffer, int i, bool atEnd)
{
    const char c = buffer.at(i);
    if (isFrameLetter(c) || c == 'W' || c == 'O' || c == 'R')
        return Start::Yes;
    if (c != 'D')
        return Start::No;
    const QByteArray rest = buffer.mid(i, 3);
    if (rest == "DIS")
        return Start::Yes;
    if (!atEnd && QByteArray("DIS").startsWith(rest))
        return Start::Undecided;
    return Start::No;
}

} // namespace

QVector<ToolMessage> MessageSplitter::feed(const QByteArray &bytes)
{
    pending_.append(bytes);
    return take(false);
}

QVector<ToolMessage> MessageSplitter::flush()
{
    return take(true);
}

QVector<ToolMessage> MessageSplitter::take(bool atEnd)
{
    QVector<ToolMessage> out;
    const auto cut = [&](int length, ToolMessage::Kind kind) {
        out.append({kind, pending_.left(length)});
        pending_.remove(0, length);
    };

    while (!pending_.isEmpty()) {
        bool waiting = false;
        bool matched = false;
        for (const Command &command : kCommands) {
            const QByteArray text(command.text);
            if (pending_.startsWith(text)) {
                cut(text.size(), command.kind);
                matched = true;
                break;
            }
            if (!atEnd && text.startsWith(pending_))
                waiting = true;
        }
        if (matched)
            continue;
        if (waiting)
            break;

        const char first = pending_.at(0);
        int end = 1;
        bool undecided = false;
        for (; end < pending_.size(); ++end) {
            if (isFrameLetter(first) && end == kFrameLength
                    && pending_.at(kFrameLength - 1) == terminatorOf(first))
                break;
            if (isFrameLetter(first) && end >= kMaxCandidate)
                break;
            const Start start = messageStartsAt(pending_, end, atEnd);
            if (start == Start::Yes)
                break;
            if (start == Start::Undecided) {
                undecided = true;
                break;
            }
        }
        if (isFrameLetter(first)) {
            const bool complete = !undecided
                    && (end < pending_.size() || end >= kMaxCandidate
                        || (end == kFrameLength && pending_.at(end - 1) == terminatorOf(first)));
            if (!complete && !atEnd)
                break;
            cut(end, ToolMessage::Frame);
        } else {
            // Noise is passed on at once up to where a message may start.
            cut(end, ToolMessage::Garbage);
        }
    }
    return out;
}
