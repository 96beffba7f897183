#pragma once
// The one reader of a PNG image's chunk structure, for PNG-compressed
// images inside .ico files: the signature, an IHDR chunk first, every
// chunk's length inside the bytes, and an IEND chunk to end it. The
// pixels are not decoded: the image is written into an executable as it
// is, and only its size and depth go into the icon group.

#include <cstdint>
#include <optional>
#include <string>

struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPixel = 0;  // bit depth x channels of the colour type
};

// True when the bytes start with the PNG signature.
bool startsAsPng(const std::string& bytes);

// The header of a whole, well-formed PNG image; nothing when the bytes are
// cut short (a chunk or the IEND chunk missing), the first chunk is not a
// 13-byte IHDR, a dimension is 0 or above 65535, or the colour type and
// bit depth are not a pair PNG allows. Bytes after IEND are allowed (they
// stay with the image).
std::optional<PngHeader> readPngHeader(const std::string& bytes);
