#pragma once
// Packed DIBs for the icon tests, built byte by byte.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ByteWriter.h"

namespace testpics {

inline std::size_t rowBytes(int width, int bits) { return ((static_cast<std::size_t>(width) * bits + 31) / 8) & ~std::size_t{3}; }

// A packed DIB: 40-byte header (clrUsed as given), `palette` quads, then
// the pixel rows produced by pixel(x, yTop) (raw values, 0 = top row).
template <typename PixelFn>
std::string makeDib(int width, int height, int bits, const std::vector<std::uint32_t>& palette, PixelFn pixel,
                    std::uint32_t clrUsed = 0) {
    ByteWriter w;
    w.u32(40);
    w.i32(width);
    w.i32(height);
    w.u16(1);
    w.u16(static_cast<std::uint16_t>(bits));
    w.u32(0);
    w.u32(0);
    w.i32(0);
    w.i32(0);
    w.u32(clrUsed);
    w.u32(0);
    for (std::uint32_t q : palette) w.u32(q);  // 0x00RRGGBB stored as B, G, R, 0
    const std::size_t rb = rowBytes(width, bits);
    for (int stored = 0; stored < height; ++stored) {
        const int y = height - 1 - stored;
        std::string row(rb, '\0');
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            switch (bits) {
            case 1: if (v & 1) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8))); break;
            case 4: row[x / 2] = static_cast<char>(row[x / 2] | ((v & 15) << (x % 2 ? 0 : 4))); break;
            case 8: row[x] = static_cast<char>(v); break;
            case 16: row[2 * x] = static_cast<char>(v); row[2 * x + 1] = static_cast<char>(v >> 8); break;
            case 24:
                row[3 * x] = static_cast<char>(v);
                row[3 * x + 1] = static_cast<char>(v >> 8);
                row[3 * x + 2] = static_cast<char>(v >> 16);
                break;
            default:
                for (int i = 0; i < 4; ++i) row[4 * x + i] = static_cast<char>(v >> (8 * i));
                break;
            }
        }
        w.bytes(row);
    }
    return w.take();
}

// A small deterministic generator for picture contents.
struct Lcg {
    std::uint32_t state;
    explicit Lcg(std::uint32_t seed) : state(seed) {}
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

inline std::vector<std::uint32_t> randomPalette(int n, std::uint32_t seed) {
    Lcg r(seed);
    std::vector<std::uint32_t> p;
    for (int i = 0; i < n; ++i) p.push_back(r.next() & 0xFFFFFF);
    return p;
}

// A random picture of raw values below `limit`.
inline std::string randomDib(int width, int height, int bits, std::uint32_t seed) {
    const int colours = bits <= 8 ? 1 << bits : 0;
    Lcg r(seed * 7 + 1);
    std::vector<std::uint32_t> values;
    for (int i = 0; i < width * height; ++i) values.push_back(bits == 32 ? (r.next() & 0xFFFFFF) : r.next());
    return makeDib(width, height, bits, randomPalette(colours, seed),
                   [&](int x, int y) {
                       std::uint32_t v = values[static_cast<std::size_t>(y) * width + x];
                       if (bits <= 8) v %= static_cast<std::uint32_t>(colours);
                       if (bits == 16) v &= 0x7FFF;
                       return v;
                   });
}

// Blocks of a few colours, the top-left colour appearing again inside.
inline std::string blockDib(int width, int height, int bits, std::uint32_t seed) {
    const int colours = bits <= 8 ? 1 << bits : 0;
    const std::uint32_t rgb[4] = {0xFF00FF, 0x123456, 0xFFFFFF, 0x00C000};
    std::vector<std::uint32_t> palette = randomPalette(colours, seed);
    for (int i = 0; i < 4 && i < colours; ++i) palette[static_cast<std::size_t>(i)] = rgb[i];
    return makeDib(width, height, bits, palette, [&](int x, int y) -> std::uint32_t {
        const int k = ((x / 3) + (y / 2) * 3) % 4;
        if (bits <= 8) return static_cast<std::uint32_t>(k % colours);
        if (bits == 16) return ((rgb[k] >> 19) & 0x1F) << 10 | ((rgb[k] >> 11) & 0x1F) << 5 | ((rgb[k] >> 3) & 0x1F);
        return rgb[k];
    });
}

}  // namespace testpics
