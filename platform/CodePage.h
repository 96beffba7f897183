#pragma once
// The system's 8-bit text (the block, the environment, the log) and UTF-8.
// On Windows the 8-bit text is in the ANSI code page; on Linux it already
// is UTF-8 and both conversions give the text back unchanged.

#include "platform/Text.h"

// ANSI text as UTF-8 (MultiByteToWideChar with CP_ACP on Windows).
Text utf8FromAnsi(const Text& ansi);

// UTF-8 text in the ANSI code page; characters it cannot hold become the
// code page's default character (for the diagnostic log only).
Text ansiFromUtf8(const Text& utf8);
