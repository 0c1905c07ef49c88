#include "files/unknownsettings.h"

#include "link/framecodec.h"
#include "model/settings.h"

namespace {

// The member a frame carries for setting: a voltage travels as its tenths.
IntRef carriedMember(const Setting &setting)
{
    if (!setting.volts)
        return setting.member;
    const Setting *tenths = findSettingRow(setting.key + QStringLiteral("Tenths"));
    return tenths ? tenths->member : IntRef();
}

bool frameCarries(FrameKind kind, const IntRef &member)
{
    for (const FrameField &field : frameLayout(kind).fields) {
        if (!field.member.isNull() && field.member == member)
            return true;
    }
    return false;
}

bool framePresent(FrameKind kind, const FileDecodeResult &frames)
{
    switch (kind) {
    case FrameKind::S:
        return frames.s;
    case FrameKind::G:
        return frames.g;
    case FrameKind::H:
        return frames.h;
    case FrameKind::I:
        return frames.i;
    }
    return false;
}

} // namespace

FileDecodeResult allFrames()
{
    FileDecodeResult all;
    all.length = kParameterFileLength;
    all.s = all.g = all.h = all.i = true;
    return all;
}

bool settingKnown(const Setting &setting, const FileDecodeResult &frames)
{
    const IntRef member = carriedMember(setting);
    for (FrameKind kind : {FrameKind::S, FrameKind::G, FrameKind::H, FrameKind::I}) {
        if (frameCarries(kind, member))
            return framePresent(kind, frames);
    }
    // No frame carries it: only a complete file stands for the whole set-up.
    return frames.s && frames.g && frames.h && frames.i;
}

QStringList pagesWithUnknownSettings(const FileDecodeResult &frames)
{
    QStringList pages;
    for (const Setting &s : settings()) {
        const QString page = settingPageTitle(s);
        if (!settingKnown(s, frames) && !pages.contains(page))
            pages.append(page);
    }
    return pages;
}
