#pragma once
// Icon images in resource form for the tests: header with doubled height,
// palette, colour rows, mask rows.

#include <string>

#include "tests/icons/TestPictures.h"

namespace testpics {

inline std::string iconImageFrom(const std::string& dib, char maskByte = 0) {
    std::string image = dib;
    const int width = static_cast<unsigned char>(dib[4]) | static_cast<unsigned char>(dib[5]) << 8;
    const int height = static_cast<unsigned char>(dib[8]) | static_cast<unsigned char>(dib[9]) << 8;
    const int doubled = height * 2;
    image[8] = static_cast<char>(doubled);
    image[9] = static_cast<char>(doubled >> 8);
    image.append(static_cast<std::size_t>((width + 31) / 32) * 4 * height, maskByte);
    return image;
}

inline std::string iconImage(int size, int bits, std::uint32_t seed, char maskByte = 0) {
    return iconImageFrom(randomDib(size, size, bits, seed), maskByte);
}

}  // namespace testpics
