#pragma once
// Reading a whole .ico or .cur file: the directory and every image in
// resource form.

#include <cstdint>
#include <string>

#include "builder/engine/Globals.h"

// Most bytes all images of one file may take together; entries may point
// at the same bytes, so the file size alone does not bound the total.
constexpr std::uint64_t kMaxIconFileImageBytes = 64ull * 1024 * 1024;

// Raises XFileException "Error Opening ,ico File for Reading", "Error
// Reading .ico File Header" (short header or reserved word not 0), "Error
// Reading .ico File" (short directory), "Error Seeking in .ico File" (image
// offset past the end of the file), "Error Reading File" (image bytes past
// the end of the file, or an image whose header, palette, colour rows and
// mask rows do not fit its bytes), and XMemoryException when the images
// would take more than kMaxIconFileImageBytes or memory runs out.
// Images stored as PNG are kept as they are, with the width, height and
// bits per pixel of their IHDR chunk; a PNG image that is cut short or
// malformed is refused as "Error Reading File". (PNG images are never
// converted: isPngImage tells them apart.)
IconFile readIconFile(const std::string& path);

// True for an image stored as PNG rather than as a DIB.
bool isPngImage(const IconImage& image);
