#pragma once

#include <QString>

// A fixed path (a symbolic link) to the simulator's pseudo-terminal, whose
// own name changes with every start: the tool keeps the link in its port
// list and finds a restarted simulator under it. The link is replaced when
// it exists and removed again when this object goes, if it still leads to
// this simulator's device. Unix only; elsewhere make() fails.
class StableLink
{
public:
    StableLink() = default;
    StableLink(const StableLink &) = delete;
    StableLink &operator=(const StableLink &) = delete;
    ~StableLink();

    bool make(const QString &path, const QString &device);
    QString errorString() const { return m_error; }

    // Where the demo puts it: $XDG_RUNTIME_DIR/kelvo-miraq-sim, or a name of
    // the user's own in the temporary folder.
    static QString defaultPath();

private:
    QString m_path;
    QString m_device;
    QString m_error;
};
