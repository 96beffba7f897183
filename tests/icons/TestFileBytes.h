#pragma once
// Bitmap and icon files built byte by byte for the icon tests.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ByteWriter.h"

namespace testfiles {

// The bytes with a little-endian number put in at an offset.
inline std::string patchU32(std::string bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
    return bytes;
}
inline std::string patchU16(std::string bytes, std::size_t at, std::uint16_t v) {
    bytes[at] = static_cast<char>(v);
    bytes[at + 1] = static_cast<char>(v >> 8);
    return bytes;
}

// A .bmp file: 14-byte file header, then the packed DIB. bitsOffset 0
// means "right after the palette" computed from the DIB.
inline std::string bitmapFile(const std::string& dib, std::uint32_t bitsOffset, std::uint16_t type = 0x4D42,
                              std::uint16_t reserved1 = 0) {
    ByteWriter w;
    w.u16(type);
    w.u32(static_cast<std::uint32_t>(14 + dib.size()));
    w.u16(reserved1);
    w.u16(0);
    w.u32(bitsOffset);
    w.bytes(dib);
    return w.take();
}

// A PNG image with the structure the icon reader checks: signature, IHDR
// (8-bit RGBA), one IDAT chunk of filler, IEND. Chunk CRCs are left 0: the
// reader does not decode.
inline std::string pngImage(std::uint32_t width, std::uint32_t height) {
    std::string out("\x89PNG\r\n\x1a\n", 8);
    auto chunk = [&out](const char* type, const std::string& data) {
        for (int i = 3; i >= 0; --i) out += static_cast<char>((data.size() >> (8 * i)) & 0xFF);
        out += type;
        out += data;
        out.append(4, '\0');
    };
    std::string header;
    for (std::uint32_t v : {width, height})
        for (int i = 3; i >= 0; --i) header += static_cast<char>((v >> (8 * i)) & 0xFF);
    header += std::string("\x08\x06\0\0\0", 5);
    chunk("IHDR", header);
    chunk("IDAT", std::string(20, 'p'));
    chunk("IEND", std::string());
    return out;
}

// An .ico file with the images in order, directory fields taken from each
// image's header.
inline std::string iconFile(const std::vector<std::string>& images, std::uint16_t type = 1) {
    ByteWriter w;
    w.u16(0);
    w.u16(type);
    w.u16(static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const std::string& image : images) {
        auto at = [&](std::size_t i) { return i < image.size() ? static_cast<unsigned char>(image[i]) : 0u; };
        w.u8(static_cast<std::uint8_t>(at(4)));
        w.u8(static_cast<std::uint8_t>(at(8) / 2));
        w.u8(0);
        w.u8(0);
        w.u16(1);
        w.u16(static_cast<std::uint16_t>(at(14)));
        w.u32(static_cast<std::uint32_t>(image.size()));
        w.u32(offset);
        offset += static_cast<std::uint32_t>(image.size());
    }
    for (const std::string& image : images) w.bytes(image);
    return w.take();
}

}  // namespace testfiles
