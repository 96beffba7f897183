#pragma once
// Reading a .bmp file into a packed DIB.

#include <optional>
#include <string>

// Returns the packed DIB (40-byte information header, palette, pixel rows),
// or nothing after showing the reason in a message box without owner,
// captioned with the path: "Error opening file", "Error reading file",
// "Not a recognised BMP format file", "OS/2 style BMPs Not Supported",
// "Failed to allocate memory for DIB".
//
// The sizes in the file are not trusted: a width or height outside 1 to
// kMaxDibDimension or a bit depth (planes x bit count) outside 1 to 32 is
// refused as "Failed to allocate memory for DIB"; a palette or pixel block
// that would reach past the end of the file is refused as "Error reading
// file" before any memory is set aside for it. Compression is not looked at.
std::optional<std::string> readBitmapFile(const std::string& path);
