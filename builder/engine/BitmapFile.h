#pragma once
// Reading a .bmp file into a packed DIB.

#include <optional>
#include <string>

// Returns the packed DIB (40-byte information header, palette, pixel rows),
// or nothing with the reason in `error`: "Error opening file", "Error
// reading file", "Not a recognised BMP format file", "OS/2 style BMPs Not Supported" (a
// 12-byte header), "unsupported bitmap header of N bytes", "Failed to
// allocate memory for DIB".
//
// Information headers of 40, 52, 56, 108 and 124 bytes are read: their
// first 40 bytes become the DIB's header, and the rest (colour-space
// information) is left out. The red, green and blue masks of a 16- or
// 32-bit picture stored as BI_BITFIELDS are applied: such a picture comes
// back as plain 32-bit pixels.
//
// The sizes in the file are not trusted: a width or height outside 1 to
// kMaxDibDimension or a bit depth (planes x bit count) outside 1 to 32 is
// refused as "Failed to allocate memory for DIB"; a palette or pixel block
// that would reach past the end of the file is refused as "Error reading
// file" before any memory is set aside for it, and so is a header longer
// than the file. Other compressions are not looked at.
std::optional<std::string> readBitmapFile(const std::string& path, std::string& error);
