#include <gtest/gtest.h>

#include "builder/engine/IconGroupDirectory.h"

namespace {

IconImage image(std::uint16_t id, int size, std::size_t bytes) {
    IconImage i;
    i.id = id;
    i.width = size;
    i.height = size;
    i.bitsPerPixel = 8;
    i.bytes.assign(bytes, 'x');
    return i;
}

}  // namespace

TEST(IconGroupDirectory, LargeAndSmall) {
    const IconImage large = image(0, 32, 2216), small = image(1, 16, 1384);
    const std::string dir = buildIconGroupDirectory({&large, &small}, 0);
    const std::string expected("\0\0\1\0\2\0"
                               "\x20\x20\0\0\1\0\x08\0\xA8\x08\0\0\0\0"
                               "\x10\x10\0\0\1\0\x08\0\x68\x05\0\0\1\0",
                               6 + 2 * 14);
    EXPECT_EQ(dir, expected);
}

TEST(IconGroupDirectory, OnlySmallWithABaseId) {
    const IconImage small = image(1, 16, 1384);
    EXPECT_EQ(buildIconGroupDirectory({&small}, 0),
              std::string("\0\0\1\0\1\0\x10\x10\0\0\1\0\x08\0\x68\x05\0\0\1\0", 20));
    EXPECT_EQ(buildIconGroupDirectory({&small}, 0x0102),
              std::string("\0\0\1\0\1\0\x10\x10\0\0\1\0\x08\0\x68\x05\0\0\x03\x01", 20));
    EXPECT_EQ(buildIconGroupDirectory({}, 0), std::string("\0\0\1\0\0\0", 6));
}

TEST(IconGroupDirectory, WideValuesAreCutToTheirFields) {
    IconImage big = image(7, 256, 70000);
    big.bitsPerPixel = 32;
    EXPECT_EQ(buildIconGroupDirectory({&big}, 0xFFFF),
              std::string("\0\0\1\0\1\0\0\0\0\0\1\0\x20\0\x70\x11\x01\0\x06\0", 20));
}
