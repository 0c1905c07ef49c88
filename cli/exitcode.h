#pragma once

// What the tool's exit status tells a script. The --help text lists them.
enum class ExitCode {
    Ok = 0,        // done; diff: the files are equal
    Differs = 1,   // diff, write, reset (read back): settings differ
    Usage = 2,     // the command line is wrong
    File = 3,      // a file is missing, unreadable, not a parameter file or cannot be written;
                   // a partial file to write whose missing frames cannot be read from the transmitter
    Port = 4,      // the port does not exist, is busy, cannot be opened or went away
    NoAnswer = 5,  // the transmitter does not answer or its reply is incomplete (or repeats itself);
                   // write, reset: silent after the send, read-back incomplete, trims unchecked
};

inline int exitStatus(ExitCode code)
{
    return static_cast<int>(code);
}
