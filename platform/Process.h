#pragma once
// The running process: waiting (for the command-line builder's test seam
// that holds a compile at one of its steps until the test kills it), and
// its end (for the Windows stubs, which have no C runtime's exit), and a
// clock.

namespace platform {

void sleepSeconds(unsigned seconds);

// Ends the process with exit code `code` at once (ExitProcess, _exit).
[[noreturn]] void endProcess(int code);

// A clock in milliseconds that only moves forward; it wraps around, so
// only the difference of two readings means something.
unsigned long millisecondClock();

}  // namespace platform
