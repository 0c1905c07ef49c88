#pragma once

#include <QtGlobal>

// What the process costs: CPU time and resident memory, read from the
// operating system (Linux /proc and getrusage; elsewhere zero).
struct ProcessCost
{
    double cpuSeconds = 0; // user + system since start
    qint64 rssKiB = 0;     // resident set size now
};

ProcessCost processCost();

// The resident set size of another process (Linux /proc; elsewhere zero).
qint64 residentKiB(qint64 pid);
