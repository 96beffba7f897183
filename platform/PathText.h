#pragma once
// Reading paths of the system's 8-bit text by characters. In the
// double-byte ANSI code pages of Windows (932, 936, 949, 950) the second
// byte of a character may be '\\' (0x5C: the second byte of "ソ", "表",
// "能") or another ASCII byte, so a path is split only at a byte that
// begins a character. Linux paths are UTF-8, in which every byte of a
// multi-byte character is 0x80 or above: each byte is read on its own.

#include "platform/PathSeparator.h"
#include "platform/Text.h"

namespace platform {

// Whether `c` is the first byte of a two-byte character of the system's
// code page (IsDBCSLeadByte); never on Linux.
bool isLeadByte(char c);

// Whether byte `i` of `text` begins a character (is not the second byte
// of a two-byte one).
bool beginsCharacter(const Text& text, size_t i);

// Whether the character at byte `i` of `path` is a path separator.
inline bool isSeparatorAt(const Text& path, size_t i) { return isPathSeparator(path[i]) && beginsCharacter(path, i); }

}  // namespace platform
