#pragma once
// How often the launcher starts its program again: at most kMostRestarts
// times within any kRestartWindow milliseconds, so that a program that
// asks for a restart at every start does not loop for ever.

constexpr unsigned kMostRestarts = 5;
constexpr unsigned long kRestartWindow = 60000;

// The clock readings of the latest restarts, oldest first.
struct RestartHistory {
    unsigned long times[kMostRestarts] = {};
    unsigned count = 0;
};

// Whether a restart at `now` (platform::millisecondClock) keeps within the
// limit; when it does, it is recorded. Readings are compared by their
// difference, so a clock that wraps around does no harm.
bool takeRestart(RestartHistory& history, unsigned long now);
