#pragma once
// The running process: waiting (for the command-line builder's test seam
// that holds a compile at one of its steps until the test kills it), and
// its end (for the Windows stubs, which have no C runtime's exit).

namespace platform {

void sleepSeconds(unsigned seconds);

#ifdef _WIN32
// Ends the process with exit code `code` (ExitProcess).
[[noreturn]] void endProcess(int code);
#endif

}  // namespace platform
