#pragma once
// The system palettes the conversions use, as tables in the code so that
// the conversion gives the same bytes everywhere: the default palette
// (GetStockObject(DEFAULT_PALETTE), 20 entries) and the halftone palette
// (CreateHalftonePalette on the screen, 256 entries). A Wine test checks
// both against the system.

#include <array>

#include "builder/engine/DibLayout.h"

// Palette entries as the system gives them (red, green, blue, flags).
struct SystemPaletteEntry {
    std::uint8_t red, green, blue, flags;
};

const std::array<SystemPaletteEntry, 20>& defaultPalette();
const std::array<SystemPaletteEntry, 256>& halftonePalette();

// A system palette entry as a palette quad: blue, green, red, and the flags
// byte in the reserved byte.
PaletteEntry toPaletteQuad(const SystemPaletteEntry& entry);
