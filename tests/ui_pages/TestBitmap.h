#pragma once
// The bytes of a small bitmap file for the tests that choose images: 32 x
// 32 pixels, 24 bits, a blue stripe on white (the white corners become
// transparent in an icon made from it).

#include <string>

namespace testdata {

inline std::string bitmapFile32() {
    const int side = 32;
    const int rowBytes = side * 3;
    std::string bytes(54 + rowBytes * side, '\0');
    auto put = [&bytes](size_t at, unsigned value, int size) {
        for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, static_cast<unsigned>(bytes.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, side, 4);
    put(22, side, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, static_cast<unsigned>(rowBytes * side), 4);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) put(54 + y * rowBytes + x * 3, (x > 8 && x < 24) ? 0x0000FFu : 0xFFFFFFu, 3);
    return bytes;
}

}  // namespace testdata
