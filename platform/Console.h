#pragma once
// A console window for a GUI-subsystem program (AllocConsole/FreeConsole).
// Linux programs already have their terminal: both do nothing there.

#include <stddef.h>

namespace platform {
bool allocConsole();
void freeConsole();
// Writes the bytes to the standard error handle, when the process has one
// (a GUI program started from a console without redirection has none).
void writeStandardError(const char* bytes, size_t size);
}  // namespace platform
