#pragma once
// The message a second start of a one-instance program hands to the first:
// "CSK1", the folder the second was started from, the count of its
// arguments, then each argument; every text is its length (32-bit little
// endian) and its UTF-8 bytes, exactly as main would get them.

#include <stdint.h>

#include "platform/List.h"
#include "platform/Text.h"

constexpr uint32_t kMostHandOverBytes = 1u << 20;
constexpr uint32_t kMostHandOverArguments = 65536;

Text handOverMessage(const Text& folder, const List<Text>& arguments);

// Reads a message as handOverMessage writes it; false for anything else:
// a wrong mark, a length or count beyond the limits or the bytes that are
// there, bytes left over, a text holding a NUL.
bool readHandOverMessage(const Text& bytes, Text& folder, List<Text>& arguments);
