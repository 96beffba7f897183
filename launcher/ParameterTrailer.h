#pragma once
// The parameter trailer: the block text of L bytes at the end of an
// executable file, followed by L as an unsigned 32-bit little-endian number
// that forms the file's last 4 bytes. Used where resources cannot be
// updated; an unconfigured stub ends with 4 zero bytes (an empty block).
// A signed executable carries its certificate table after the trailer
// (and up to 7 zero bytes of alignment before the table): there the
// trailer ends before the table, and its block must start where the
// stub's own image (or its empty trailer) ended.
// The builder's writer of the same layout is encodeParameterTrailer.

#include "platform/Files.h"
#include "platform/Text.h"

// Reads the trailer of the file at `exePath` (opened for reading, others
// may read and write). The block ends at its first NUL. Empty when the
// file is missing or unreadable, shorter than 4 bytes, L is 0, or L is
// larger than what precedes the length word; never allocates more than
// the file holds.
Text readParameterTrailer(const Text& exePath);

// The same for a file already open, from its current size.
Text readParameterTrailer(platform::File& file);
