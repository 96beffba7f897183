#pragma once
// Reading and writing single pixels of a checked packed DIB (see viewDib),
// and matching colours into a palette the way the system's DIB engine does.

#include <cstdint>
#include <vector>

#include "builder/engine/DibLayout.h"

struct Rgb {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The raw pixel value at column x of row yTop (0 = top row as displayed).
// `pixels` is the first stored (bottom) row; the caller keeps x and yTop
// inside the picture.
std::uint32_t readPixel(const DibView& dib, const unsigned char* pixels, int x, int yTop);
void writePixel(const DibView& dib, unsigned char* pixels, int x, int yTop, std::uint32_t value);
// The colour a raw pixel value shows: its palette entry, or the 5-5-5 /
// 8-8-8 channels (5-bit channels widened by repeating their top bits).
Rgb pixelColour(const DibView& dib, std::uint32_t value);
// The raw value that stands for a colour: the nearest palette entry (least
// squared distance, first one on a tie, an exact match ends the search), or
// the packed channels.
std::uint32_t colourToPixel(const DibView& dib, Rgb colour);
// Nearest entry as above.
std::uint32_t nearestPaletteIndex(const std::vector<PaletteEntry>& palette, Rgb colour);
