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

// UTF-8 text in the ANSI code page, exactly or not at all: false when a
// character has no place in it (no look-alike stands in for it). On Linux
// the text is kept as it is.
bool exactAnsiFromUtf8(const Text& utf8, Text& ansi);

#ifdef _WIN32
#include <stdint.h>
// UTF-16 units in the ANSI code page, exactly or not at all (as above).
bool exactAnsiFromUtf16(const uint16_t* units, size_t count, Text& ansi);
#endif
