#pragma once

// Returns after ms milliseconds, processing every kind of event meanwhile
// (timers, serial input, user input) in a local event loop.
void waitMs(int ms);
