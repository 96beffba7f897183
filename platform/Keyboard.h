#pragma once
// The key that switches on diagnostics at start, and the beep that confirms it.

namespace platform {

// True when F12 is held at this moment (GetAsyncKeyState, high bit). Linux
// has no global key state: there, the environment variable
// CASKIT_DIAGNOSTICS=1 stands for the held key.
bool isDiagnosticKeyHeld();

// Beep(frequency, milliseconds) on Windows; a bell on standard error elsewhere.
void beep(unsigned frequency, unsigned milliseconds);

}  // namespace platform
