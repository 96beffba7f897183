#pragma once
// A console window for a GUI-subsystem program (AllocConsole/FreeConsole).
// Linux programs already have their terminal: both do nothing there.

#include <stddef.h>

namespace platform {
bool allocConsole();
void freeConsole();
// Whether the running program is a console program: on Windows, one
// linked for the console subsystem (its own PE header says so), which has
// its caller's standard streams and shows no message boxes; on Linux,
// every program.
bool isConsoleProgram();
// `text` and a line end on standard error, where the process has one (a
// Windows GUI program started from an icon has none: nothing is written).
void writeErrorLine(const char* text);
// Writes the bytes to the standard error handle, when the process has one
// (a GUI program started from a console without redirection has none).
void writeStandardError(const char* bytes, size_t size);
}  // namespace platform
