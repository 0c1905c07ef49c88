#pragma once

// What the tool's exit status tells a script. The --help text lists them.
enum class ExitCode {
    Ok = 0,        // done; diff: the files are equal
    Differs = 1,   // diff, write, reset (read back): settings differ
    Usage = 2,     // the command line is wrong
    File = 3,      // a file is missing, unreadable, not a parameter file or cannot be written;
                   // a partial file to write whose missing frames cannot be read from the transmitter
    Port = 4,      // the port does not exist, is busy, cannot be opened or went away
                   // (write, reset: before any frame went out)
    NoAnswer = 5,  // the transmitter does not answer or its reply is incomplete (or repeats itself);
                   // write, reset: silent after the send, read-back incomplete, trims unchecked
    Unknown = 6,   // show, diff: a file lacks frames, so some settings are unknown
    SendCut = 7,   // write, reset: the port went away once frames had gone out; says how many
    Backup = 8,    // write, reset: what the transmitter held could not be read or backed up; nothing sent
    // doctor: the cause it found
    DoctorNoPort = 10,       // no such port (or none at all), or what was given is no device
    DoctorNoAccess = 11,     // the user may not open it
    DoctorPortInUse = 12,    // another program holds it
    DoctorBrltty = 13,       // brltty took the CH340/CH341 adapter
    DoctorModemManager = 14, // ModemManager probes the ttyACM port
    DoctorNoAnswer = 15,     // the port opens but no transmitter answers
};

inline int exitStatus(ExitCode code)
{
    return static_cast<int>(code);
}
