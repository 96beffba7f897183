#include <gtest/gtest.h>

#include <cstdio>

#include "builder/engine/DibConversion.h"
#include "builder/engine/IconImageBuilder.h"
#include "platform/ByteReader.h"
#include "tests/icons/IconTestImages.h"

namespace {

std::uint32_t u32At(const std::string& s, std::size_t at) {
    ByteReader r(s.data(), s.size());
    r.seek(at);
    return r.u32();
}
std::uint16_t u16At(const std::string& s, std::size_t at) {
    ByteReader r(s.data(), s.size());
    r.seek(at);
    return r.u16();
}

IconImage slotImage(int size, int bits = 8) {
    IconImage image;
    image.width = size;
    image.height = size;
    image.bitsPerPixel = bits;
    return image;
}

// The header of a converted picture: only size, width, height, planes and
// bit count are set.
void expectPlainHeader(const std::string& dib, int width, int height, int bits) {
    ASSERT_GE(dib.size(), 40u);
    EXPECT_EQ(u32At(dib, 0), 40u);
    EXPECT_EQ(static_cast<std::int32_t>(u32At(dib, 4)), width);
    EXPECT_EQ(static_cast<std::int32_t>(u32At(dib, 8)), height);
    EXPECT_EQ(u16At(dib, 12), 1);
    EXPECT_EQ(u16At(dib, 14), bits);
    for (std::size_t at = 16; at < 40; at += 4) EXPECT_EQ(u32At(dib, at), 0u) << at;
}

// Palette entry `index` of a converted picture as "BBGGRRFF" hex.
std::string quad(const std::string& dib, std::size_t index) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(__builtin_bswap32(u32At(dib, 40 + 4 * index))));
    return text;
}

// Spot entries of the system's halftone palette (checked whole against GDI
// under Wine): static colours at both ends, colour-cube points between,
// red in steps of 0x20, green in steps of 0x20, blue in steps of 0x40.
void expectHalftonePalette(const std::string& dib) {
    EXPECT_EQ(quad(dib, 0), "00000000");    // black
    EXPECT_EQ(quad(dib, 7), "C0C0C000");    // light grey
    EXPECT_EQ(quad(dib, 9), "F0CAA600");    // sky blue
    EXPECT_EQ(quad(dib, 10), "00204000");   // red 0x40, green 0x20, blue 0
    EXPECT_EQ(quad(dib, 209), "C0402000");  // red 0x20, green 0x40, blue 0xC0
    EXPECT_EQ(quad(dib, 245), "C0C0A000");  // red 0xA0, green 0xC0, blue 0xC0
    EXPECT_EQ(quad(dib, 246), "F0FBFF00");  // cream
    EXPECT_EQ(quad(dib, 255), "FFFFFF00");  // white
}

}  // namespace

TEST(IconImage, LargeImageIs2216BytesInResourceLayout) {
    // 48 x 48: white above, colour 2040C0 (halftone entry 209) below. The
    // stretch to 32 rows keeps the first of every three source rows' pair,
    // so target rows 0-15 show white and rows 16-31 the colour.
    const std::string source = testpics::makeDib(48, 48, 24, {}, [](int, int y) -> std::uint32_t {
        return y < 24 ? 0xFFFFFF : 0x2040C0;
    });
    IconImage image = slotImage(32);
    ASSERT_TRUE(makeIconImage(image, source, true));
    ASSERT_EQ(image.size(), 2216u);
    expectPlainHeader(image.bytes, 32, 64, 8);
    EXPECT_EQ(image.colourRowsOffset(), 40u + 1024);
    EXPECT_EQ(image.maskRowsOffset(), 40u + 1024 + 1024);
    expectHalftonePalette(image.bytes);
    // Bottom row first.
    EXPECT_EQ(image.bytes.substr(1064, 512), std::string(512, '\xD1'));
    EXPECT_EQ(image.bytes.substr(1576, 512), std::string(512, '\xFF'));
    EXPECT_EQ(image.bytes.substr(2088), std::string(128, '\0'));  // opaque mask
}

TEST(IconImage, SmallImageIs1384Bytes) {
    IconImage image = slotImage(16);
    ASSERT_TRUE(makeIconImage(image, testpics::randomDib(48, 48, 24, 5), true));
    ASSERT_EQ(image.size(), 1384u);
    expectPlainHeader(image.bytes, 16, 32, 8);
    EXPECT_EQ(image.colourRowsOffset(), 1064u);
    EXPECT_EQ(image.maskRowsOffset(), 1064u + 256);
    EXPECT_EQ(image.bytes.substr(1320), std::string(64, '\0'));
}

TEST(IconImage, NoSourceOrUnreadableSourceFails) {
    IconImage image = slotImage(32);
    EXPECT_FALSE(makeIconImage(image, std::string(), true));
    image.bytes = "old";
    EXPECT_FALSE(makeIconImage(image, std::string(39, '\0'), true));
    EXPECT_TRUE(image.bytes.empty());
}

TEST(DibConversion, EightBitSameSizeIsCopiedWithItsOwnPalette) {
    const std::string source = testpics::randomDib(32, 32, 8, 7);
    const std::string out = convertDib(source, 32, 32, 8, true);
    expectPlainHeader(out, 32, 32, 8);
    EXPECT_EQ(out.substr(40), source.substr(40));  // palette and every pixel
}

TEST(DibConversion, TwentyFourBitGetsTheHalftonePalette) {
    const std::string source = testpics::makeDib(2, 2, 24, {}, [](int x, int y) -> std::uint32_t {
        const std::uint32_t c[4] = {0x000000, 0xFFFFFF, 0x2040C0, 0xC0C0C0};
        return c[y * 2 + x];
    });
    const std::string out = convertDib(source, 2, 2, 8, true);
    ASSERT_EQ(out.size(), 40u + 1024 + 8);
    expectHalftonePalette(out);
    // Bottom row first: (0,1) (1,1) then (0,0) (1,0).
    EXPECT_EQ(static_cast<unsigned char>(out[1064]), 0x20 / 0x20 + 8 * (0x40 / 0x20) + 64 * (0xC0 / 0x40));
    EXPECT_EQ(static_cast<unsigned char>(out[1065]), 7);  // C0C0C0 is static colour 7
    EXPECT_EQ(static_cast<unsigned char>(out[1068]), 0);
    EXPECT_EQ(static_cast<unsigned char>(out[1069]), 255);
}

TEST(DibConversion, FourBitTargetsUseTheDefaultPaletteUnlessTheSourceHasFourBits) {
    const std::string rgb = testpics::randomDib(4, 4, 24, 8);
    const std::string out = convertDib(rgb, 4, 4, 4, true);
    ASSERT_EQ(out.size(), 40u + 64 + 4 * 4);  // rows of 4 bytes
    // The first 16 colours of the system's default palette.
    const char* const expected[16] = {"00000000", "00008000", "00800000", "00808000", "80000000", "80008000",
                                      "80800000", "C0C0C000", "C0DCC000", "F0CAA600", "F0FBFF00", "A4A0A000",
                                      "80808000", "0000FF00", "00FF0000", "00FFFF00"};
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(quad(out, i), expected[i]) << i;
    const std::string four = testpics::randomDib(4, 4, 4, 9);
    EXPECT_EQ(convertDib(four, 8, 8, 4, true).substr(40, 64), four.substr(40, 64));
    const std::string mono = convertDib(four, 8, 8, 1, true);
    EXPECT_EQ(mono.substr(40, 8), std::string("\0\0\0\0\xFF\xFF\xFF\0", 8));
}

TEST(DibConversion, FortyEightScaledToThirtyTwoAndSixteen) {
    // Every pixel holds its own coordinates, so the result names the source
    // pixel each target pixel shows. Shrinking by three to two keeps, of
    // every three columns, the middle and the last one, and of every three
    // rows the first and the last; by three to one the last column and the
    // first row.
    const std::string source = testpics::makeDib(48, 48, 32, {}, [](int x, int y) -> std::uint32_t {
        return static_cast<std::uint32_t>(x << 8 | y);
    });
    const auto pixel = [](const std::string& dib, int size, int x, int y) {
        return u32At(dib, 40 + 4 * (static_cast<std::size_t>(size - 1 - y) * size + x));
    };
    const std::string out32 = convertDib(source, 32, 32, 32, true);
    ASSERT_EQ(out32.size(), 40u + 32 * 32 * 4);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int column = 3 * (x / 2) + 1 + x % 2, row = 3 * (y / 2) + 2 * (y % 2);
            ASSERT_EQ(pixel(out32, 32, x, y), static_cast<std::uint32_t>(column << 8 | row)) << x << "," << y;
        }
    const std::string out16 = convertDib(source, 16, 16, 32, true);
    ASSERT_EQ(out16.size(), 40u + 16 * 16 * 4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(pixel(out16, 16, x, y), static_cast<std::uint32_t>((3 * x + 2) << 8 | 3 * y)) << x << "," << y;
}

TEST(DibConversion, StretchMaps) {
    // Shrinking 48 to 32: the last of each group for columns, the first for rows.
    const std::vector<int> columns = stretchMap(48, 32, true);
    const std::vector<int> rows = stretchMap(48, 32, false);
    EXPECT_EQ(std::vector<int>(columns.begin(), columns.begin() + 6), (std::vector<int>{1, 2, 4, 5, 7, 8}));
    EXPECT_EQ(std::vector<int>(rows.begin(), rows.begin() + 6), (std::vector<int>{0, 2, 3, 5, 6, 8}));
    EXPECT_EQ(columns.back(), 47);
    EXPECT_EQ(stretchMap(16, 32, true), stretchMap(16, 32, false));
    const std::vector<int> up = stretchMap(16, 32, true);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(up[i], i / 2);
    EXPECT_EQ(stretchMap(7, 7, true), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    for (int s = 1; s < 70; ++s)
        for (int t = 1; t < 70; ++t)
            for (int v : stretchMap(s, t, s % 2 == 0)) ASSERT_TRUE(v >= 0 && v < s) << s << " " << t;
}

TEST(DibConversion, TopLeftCopyWithoutStretch) {
    const std::string source = testpics::makeDib(3, 2, 8, testpics::randomPalette(256, 3),
                                                 [](int x, int y) { return static_cast<std::uint32_t>(10 * y + x + 1); });
    // Larger target: the picture at the top left, the rest index 0.
    const std::string big = convertDib(source, 4, 3, 8, false);
    ASSERT_EQ(big.size(), 40u + 1024 + 12);
    EXPECT_EQ(big.substr(1064), std::string("\0\0\0\0" "\x0B\x0C\x0D\0" "\x01\x02\x03\0", 12));
    // Smaller target: the top-left pixel only.
    const std::string one = convertDib(source, 1, 1, 8, false);
    EXPECT_EQ(one.substr(1064), std::string("\x01\0\0\0", 4));
}

TEST(DibConversion, ShortPaletteIsPaddedWithBlack) {
    // An 8-bit picture that carries only 2 colours: the copied palette holds
    // them, then black; pixel values beyond them show black.
    const std::string source =
        testpics::makeDib(2, 1, 8, {0x102030, 0x405060}, [](int x, int) { return x ? 200u : 1u; }, 2);
    const std::string out = convertDib(source, 2, 1, 8, true);
    ASSERT_EQ(out.size(), 40u + 1024 + 4);
    EXPECT_EQ(out.substr(40, 8), std::string("\x30\x20\x10\0\x60\x50\x40\0", 8));
    EXPECT_EQ(out.substr(48, 1016), std::string(1016, '\0'));
    EXPECT_EQ(out.substr(1064), std::string("\x01\xC8\0\0", 4));
}

TEST(DibConversion, RefusesWhatItCannotRead) {
    const std::string good = testpics::randomDib(4, 4, 8, 1);
    EXPECT_TRUE(convertDib(good, 0, 4, 8, true).empty());
    EXPECT_TRUE(convertDib(good, 4, -4, 8, true).empty());
    EXPECT_TRUE(convertDib(good, 5000, 4, 8, true).empty());
    EXPECT_TRUE(convertDib(good, 4, 4, 7, true).empty());
    EXPECT_TRUE(convertDib(good.substr(0, good.size() - 1), 4, 4, 8, true).empty());
    std::string compressed = good;
    compressed[16] = 1;  // BI_RLE8
    EXPECT_TRUE(convertDib(compressed, 4, 4, 8, true).empty());
    std::string v5 = good;
    v5[0] = 124;
    EXPECT_TRUE(convertDib(v5, 4, 4, 8, true).empty());
    std::string negative = good;
    negative[11] = '\xFF';
    EXPECT_TRUE(convertDib(negative, 4, 4, 8, true).empty());
    for (std::size_t n = 0; n < good.size(); ++n) EXPECT_TRUE(convertDib(good.substr(0, n), 4, 4, 8, true).empty());
}

TEST(CornerMask, EveryPixelOfTheCornerColourBecomesTransparentAndBlack) {
    // 8-bit, corner colour index 5 (red); index 9 has the same red and also
    // counts; index 6 differs.
    std::vector<std::uint32_t> palette(256, 0x123456);
    palette[0] = 0x000000;
    palette[5] = 0xFF0000;
    palette[9] = 0xFF0000;
    palette[6] = 0x00FF00;
    const std::string dib = testpics::makeDib(32, 32, 8, palette, [](int x, int y) -> std::uint32_t {
        if ((x == 0 && y == 0) || (x == 31 && y == 31)) return 5;
        if (x == 7 && y == 3) return 9;
        return 6;
    });
    IconImage image = slotImage(32);
    ASSERT_TRUE(makeIconImage(image, dib, true));
    ASSERT_TRUE(makeMaskFromCorner(image, 0, 0));
    const std::size_t colour = image.colourRowsOffset(), mask = image.maskRowsOffset();
    auto colourAt = [&](int x, int y) { return static_cast<unsigned char>(image.bytes[colour + (31 - y) * 32 + x]); };
    auto maskBit = [&](int x, int y) {
        return (static_cast<unsigned char>(image.bytes[mask + (31 - y) * 4 + x / 8]) >> (7 - x % 8)) & 1;
    };
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool key = (x == 0 && y == 0) || (x == 31 && y == 31) || (x == 7 && y == 3);
            EXPECT_EQ(maskBit(x, y), key ? 1 : 0) << x << "," << y;
            EXPECT_EQ(colourAt(x, y), key ? 0 : 6) << x << "," << y;
        }
    }
    EXPECT_EQ(image.size(), 2216u);
    EXPECT_EQ(u32At(image.bytes, 8), 64u);  // the doubled height is back
}

TEST(CornerMask, BlackIsTheNearestPaletteEntry) {
    // No black in the palette: transparent pixels take the darkest entry.
    const std::string dib = testpics::makeDib(8, 8, 4, {0xFFFFFF, 0x202020, 0x101010, 0x808080, 0x0A0A0A, 0x0A0A0A,
                                                        0xF0F0F0, 0xF0F0F0, 0xF0F0F0, 0xF0F0F0, 0xF0F0F0, 0xF0F0F0,
                                                        0xF0F0F0, 0xF0F0F0, 0xF0F0F0, 0xF0F0F0},
                                              [](int x, int) { return x < 4 ? 0u : 3u; });
    IconImage image = slotImage(8, 4);
    ASSERT_TRUE(makeIconImage(image, dib, true));
    ASSERT_TRUE(makeMaskFromCorner(image, 0, 0));
    const std::size_t colour = image.colourRowsOffset();
    EXPECT_EQ(static_cast<unsigned char>(image.bytes[colour]), 0x44);      // index 4, the first nearest
    EXPECT_EQ(static_cast<unsigned char>(image.bytes[colour + 2]), 0x33);  // untouched
    EXPECT_EQ(static_cast<unsigned char>(image.bytes[image.maskRowsOffset()]), 0xF0);
}

TEST(CornerMask, OneBitClearsTheBit) {
    const std::string dib = testpics::makeDib(8, 2, 1, {0x000000, 0xFFFFFF}, [](int x, int) { return x % 3 == 0 ? 1u : 0u; });
    IconImage image = slotImage(8, 1);
    image.height = 2;
    ASSERT_TRUE(makeIconImage(image, dib, true));
    ASSERT_TRUE(makeMaskFromCorner(image, 0, 0));
    const std::size_t colour = image.colourRowsOffset();
    EXPECT_EQ(static_cast<unsigned char>(image.bytes[colour]), 0);
    EXPECT_EQ(static_cast<unsigned char>(image.bytes[image.maskRowsOffset()]), 0x92);  // x = 0, 3, 6
}

TEST(CornerMask, RefusesBrokenImagesAndUnchangedOnFailure) {
    IconImage image = slotImage(32);
    ASSERT_TRUE(makeIconImage(image, testpics::randomDib(32, 32, 8, 3), true));
    const std::string before = image.bytes;
    EXPECT_FALSE(makeMaskFromCorner(image, 32, 0));
    EXPECT_FALSE(makeMaskFromCorner(image, 0, -1));
    EXPECT_EQ(image.bytes, before);
    for (std::size_t n = 0; n < before.size(); n += 7) {
        IconImage cut = image;
        cut.bytes = before.substr(0, n);
        EXPECT_FALSE(makeMaskFromCorner(cut, 0, 0)) << n;
        EXPECT_EQ(cut.bytes, before.substr(0, n));
    }
    IconImage empty;
    EXPECT_FALSE(makeMaskFromCorner(empty, 0, 0));
    EXPECT_EQ(empty.colourRowsOffset(), 0u);
    EXPECT_EQ(empty.maskRowsOffset(), 0u);
}
