#include "builder/engine/SystemPalettes.h"

namespace {

// The twenty static colours: the first ten open both palettes, the last ten
// close the halftone palette and follow the first ten in the default one.
constexpr SystemPaletteEntry kStaticFirst[10] = {
    {0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0}, {0x80, 0x80, 0x00, 0},
    {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0}, {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0xC0, 0xDC, 0xC0, 0}, {0xA6, 0xCA, 0xF0, 0},
};
constexpr SystemPaletteEntry kStaticLast[10] = {
    {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0}, {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0},
    {0x00, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0x00, 0}, {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0},
    {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0},
};

}  // namespace

const std::array<SystemPaletteEntry, 20>& defaultPalette() {
    static const std::array<SystemPaletteEntry, 20> table = [] {
        std::array<SystemPaletteEntry, 20> t{};
        for (int i = 0; i < 10; ++i) {
            t[i] = kStaticFirst[i];
            t[10 + i] = kStaticLast[i];
        }
        return t;
    }();
    return table;
}

const std::array<SystemPaletteEntry, 256>& halftonePalette() {
    // Between the static colours, entry i is the colour cube point with red
    // i mod 8, green (i / 8) mod 8 (steps of 0x20) and blue i / 64 (steps of
    // 0x40).
    static const std::array<SystemPaletteEntry, 256> table = [] {
        std::array<SystemPaletteEntry, 256> t{};
        for (int i = 0; i < 256; ++i) {
            if (i < 10) {
                t[i] = kStaticFirst[i];
            } else if (i >= 246) {
                t[i] = kStaticLast[i - 246];
            } else {
                t[i] = SystemPaletteEntry{static_cast<std::uint8_t>((i % 8) * 0x20),
                                          static_cast<std::uint8_t>(((i / 8) % 8) * 0x20),
                                          static_cast<std::uint8_t>((i / 64) * 0x40), 0};
            }
        }
        return t;
    }();
    return table;
}

PaletteEntry toPaletteQuad(const SystemPaletteEntry& e) {
    PaletteEntry q;
    q.blue = e.blue;
    q.green = e.green;
    q.red = e.red;
    q.reserved = e.flags;
    return q;
}
