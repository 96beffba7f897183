#pragma once
// A console window for a GUI-subsystem program (AllocConsole/FreeConsole).
// Linux programs already have their terminal: both do nothing there.

namespace platform {
bool allocConsole();
void freeConsole();
}  // namespace platform
