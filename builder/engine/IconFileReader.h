#pragma once
// Reading a whole .ico or .cur file: the directory and every image in
// resource form.

#include <cstdint>
#include <string>

#include "builder/engine/Globals.h"

// Most images one file may hold: real icons hold a few sizes in a few
// depths each, never more than a few dozen images.
constexpr std::uint16_t kMaxIconFileImages = 256;
// Most bytes all images of one file may take together.
constexpr std::uint64_t kMaxIconFileImageBytes = 64ull * 1024 * 1024;

// Raises XFileException "Error Opening ,ico File for Reading", "Error
// Reading .ico File Header" (short header or reserved word not 0), "Error
// Reading .ico File" (short directory), "Error Seeking in .ico File" (image
// offset past the end of the file), "Error Reading File" (image bytes past
// the end of the file, or an image whose header, palette, colour rows and
// mask rows do not fit its bytes); a message naming the file when it holds
// more than kMaxIconFileImages images, when two images share bytes, or when
// its images take more than kMaxIconFileImageBytes; and XMemoryException
// when memory runs out.
IconFile readIconFile(const std::string& path);

// True for an image stored as PNG rather than as a DIB.
bool isPngImage(const IconImage& image);
