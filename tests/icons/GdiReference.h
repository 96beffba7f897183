#pragma once
// The picture work done with the real GDI calls (DIB sections, palettes,
// StretchBlt, GetPixel/SetPixel), step by step as the builder's
// conversions are defined; the portable code must give the same bytes.

#include <cstdint>
#include <string>
#include <vector>

struct GdiPaletteEntry {
    std::uint8_t red, green, blue, flags;
};

// GetPaletteEntries of CreateHalftonePalette(screen DC) (all entries) and of
// GetStockObject(DEFAULT_PALETTE) (all entries).
std::vector<GdiPaletteEntry> gdiHalftonePalette();
std::vector<GdiPaletteEntry> gdiDefaultPalette();

// The conversion of a packed DIB to width x height x bits, on DIB sections.
std::string gdiConvertDib(const std::string& source, int width, int height, int bits, bool stretch);
// The corner mask, on a DIB section made from the icon image's header.
void gdiMakeMaskFromCorner(std::string& imageBytes, int width, int height);
