#pragma once
// A small .ico file written for the tests: one 32 x 32 and one 16 x 16
// image of 8 bits per pixel, in resource form (header with doubled height,
// 256-colour palette, colour rows, mask rows).

#include <string>
#include <vector>

#include "platform/ByteWriter.h"

inline std::string testIconImage(int size, int seed) {
    ByteWriter w;
    w.u32(40);
    w.i32(size);
    w.i32(size * 2);
    w.u16(1);
    w.u16(8);
    w.zeros(24);
    for (int i = 0; i < 256; ++i) {
        w.u8(static_cast<std::uint8_t>(i * 7 + seed));
        w.u8(static_cast<std::uint8_t>(i * 3));
        w.u8(static_cast<std::uint8_t>(255 - i));
        w.u8(0);
    }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) w.u8(static_cast<std::uint8_t>((x ^ y) + seed));
    w.zeros(static_cast<std::size_t>(((size + 31) / 32) * 4 * size));
    return w.take();
}

// The whole file; `images` receives the two images as stored.
inline std::string testIconFile(std::vector<std::string>* images = nullptr) {
    std::vector<std::string> parts = {testIconImage(32, 11), testIconImage(16, 99)};
    ByteWriter w;
    w.u16(0);
    w.u16(1);
    w.u16(2);
    std::uint32_t offset = 6 + 16 * 2;
    int sizes[2] = {32, 16};
    for (int k = 0; k < 2; ++k) {
        w.u8(static_cast<std::uint8_t>(sizes[k]));
        w.u8(static_cast<std::uint8_t>(sizes[k]));
        w.u8(0);
        w.u8(0);
        w.u16(1);
        w.u16(8);
        w.u32(static_cast<std::uint32_t>(parts[k].size()));
        w.u32(offset);
        offset += static_cast<std::uint32_t>(parts[k].size());
    }
    for (const std::string& p : parts) w.bytes(p);
    if (images) *images = parts;
    return w.take();
}
