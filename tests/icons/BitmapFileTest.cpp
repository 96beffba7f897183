#include <gtest/gtest.h>

#include "builder/engine/BitmapFile.h"
#include "builder/engine/IconLoading.h"
#include "builder/ui/BoxReporter.h"
#include "platform/ByteWriter.h"
#include "tests/icons/TestFileBytes.h"
#include "tests/icons/TestPictures.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempFolder.h"

using caskit_test::MessageRecorder;
using caskit_test::TempFolder;
using testfiles::bitmapFile;
using testfiles::patchU16;
using testfiles::patchU32;

namespace {

// Reads `bytes` as a bitmap file; returns the single message shown, or ""
// when the read succeeded without one.
std::string readError(const std::string& bytes, std::optional<std::string>* dib = nullptr) {
    TempFolder folder;
    const std::string path = folder.write("picture.bmp", bytes);
    MessageRecorder recorder;
    std::string error;
    std::optional<std::string> result = readBitmapFile(path, error);
    // Shown as the builder shows a file it could not read.
    if (!result) BoxReporter(nullptr).report({Severity::Warning, std::string(), error, path});
    if (dib) *dib = result;
    if (result) return recorder.shown.empty() ? std::string() : "unexpected message";
    if (recorder.shown.size() != 1) return "messages: " + std::to_string(recorder.shown.size());
    const caskit_test::ShownMessage& m = recorder.shown[0];
    EXPECT_EQ(m.caption, path);
    EXPECT_EQ(m.style, platform::kMbOk);
    EXPECT_TRUE(m.ownerless);
    return m.text;
}

const std::string kDib8 = testpics::randomDib(5, 3, 8, 21);  // 40 + 1024 + 8 x 3 bytes

}  // namespace

TEST(BitmapFile, ReadsHeaderPaletteAndPixelsRightAfterThePalette) {
    std::optional<std::string> dib;
    EXPECT_EQ(readError(bitmapFile(kDib8, 0), &dib), "");
    ASSERT_TRUE(dib);
    EXPECT_EQ(*dib, kDib8);
    EXPECT_EQ(dib->size(), 40u + 1024 + 24);
}

TEST(BitmapFile, SeeksToTheBitsOffset) {
    // Pixels stored after a gap of 6 bytes behind the palette.
    std::string file = bitmapFile(kDib8, 14 + 40 + 1024 + 6);
    file.insert(14 + 40 + 1024, "GAPGAP");
    std::optional<std::string> dib;
    EXPECT_EQ(readError(file, &dib), "");
    ASSERT_TRUE(dib);
    EXPECT_EQ(*dib, kDib8);
}

TEST(BitmapFile, TwentyFourBitHasNoPalette) {
    const std::string dib24 = testpics::randomDib(7, 2, 24, 3);  // rows of 24 bytes
    std::optional<std::string> dib;
    EXPECT_EQ(readError(bitmapFile(dib24, 54), &dib), "");
    ASSERT_TRUE(dib);
    EXPECT_EQ(*dib, dib24);
    EXPECT_EQ(dib->size(), 40u + 48);
}

TEST(BitmapFile, ColoursUsedSetsThePaletteSize) {
    const std::string dib = testpics::makeDib(4, 4, 8, {0x112233, 0x445566}, [](int x, int) { return x % 2; }, 2);
    std::optional<std::string> read;
    EXPECT_EQ(readError(bitmapFile(dib, 0), &read), "");
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, dib);
    EXPECT_EQ(read->size(), 40u + 8 + 16);
}

TEST(BitmapFile, MissingFile) {
    MessageRecorder recorder;
    Project project;
    BoxReporter boxes(nullptr);
    // Read as an icon slot's bitmap, as the builder shows it.
    EXPECT_FALSE(loadIcon(project, IconSlot::Large, "/nonexistent/folder/picture.bmp", &boxes).ok);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].text, "Error opening file");
    EXPECT_EQ(recorder.shown[0].caption, "/nonexistent/folder/picture.bmp");
}

TEST(BitmapFile, ErrorTexts) {
    const std::string good = bitmapFile(kDib8, 0);
    EXPECT_EQ(readError(good.substr(0, 13)), "Error reading file");
    EXPECT_EQ(readError(patchU16(good, 0, 0x4D43)), "Not a recognised BMP format file");
    EXPECT_EQ(readError(patchU16(good, 6, 1)), "Not a recognised BMP format file");
    EXPECT_EQ(readError(patchU16(good, 8, 1)), "Not a recognised BMP format file");
    EXPECT_EQ(readError("PK\x03\x04 this is not a bitmap at all, but long enough"), "Not a recognised BMP format file");
    EXPECT_EQ(readError(good.substr(0, 14 + 39)), "Error reading file");
    EXPECT_EQ(readError(patchU32(good, 14, 12)), "OS/2 style BMPs Not Supported");
    EXPECT_EQ(readError(patchU32(good, 14, 64)), "unsupported bitmap header of 64 bytes");
    EXPECT_EQ(readError(patchU32(good, 14, 0xFFFFFFFFu)), "unsupported bitmap header of 4294967295 bytes");
    // A header that says it is longer than the whole file.
    EXPECT_EQ(readError(patchU32(good, 14, 124).substr(0, 14 + 123)), "Error reading file");
    EXPECT_EQ(readError(good.substr(0, 14 + 40 + 1023)), "Error reading file");
    EXPECT_EQ(readError(good.substr(0, good.size() - 1)), "Error reading file");
}

TEST(BitmapFile, CutAtEveryLengthFailsWithAMessage) {
    const std::string good = bitmapFile(kDib8, 0);
    for (std::size_t n = 0; n < good.size(); ++n) {
        const std::string text = readError(good.substr(0, n));
        const bool known = text == "Error reading file" || text == "Not a recognised BMP format file";
        EXPECT_TRUE(known) << "length " << n << ": " << text;
    }
}

TEST(BitmapFile, UntrustedSizesAreRefusedBeforeAllocating) {
    const std::string good = bitmapFile(kDib8, 0);
    const char* kAlloc = "Failed to allocate memory for DIB";
    EXPECT_EQ(readError(patchU32(good, 18, 0)), kAlloc);            // width 0
    EXPECT_EQ(readError(patchU32(good, 18, 0x80000000u)), kAlloc);  // width negative
    EXPECT_EQ(readError(patchU32(good, 18, 4097)), kAlloc);
    EXPECT_EQ(readError(patchU32(good, 22, 0)), kAlloc);                    // height 0
    EXPECT_EQ(readError(patchU32(good, 22, static_cast<std::uint32_t>(-3))), kAlloc);  // top-down
    EXPECT_EQ(readError(patchU32(good, 22, 0x7FFFFFFF)), kAlloc);
    EXPECT_EQ(readError(patchU16(good, 26, 0)), kAlloc);       // no planes
    EXPECT_EQ(readError(patchU16(good, 26, 0xFFFF)), kAlloc);  // 65535 planes
    EXPECT_EQ(readError(patchU16(good, 28, 0)), kAlloc);       // bit count 0
    EXPECT_EQ(readError(patchU16(good, 28, 64)), kAlloc);
    // Within the limits but larger than the file: refused as a short read.
    EXPECT_EQ(readError(patchU32(patchU32(good, 18, 4096), 22, 4096)), "Error reading file");
    EXPECT_EQ(readError(patchU32(good, 46, 0xFFFF)), "Error reading file");  // 65535 colours
    EXPECT_EQ(readError(patchU32(good, 10, 0xFFFFFFF0u)), "Error reading file");  // bits offset
    EXPECT_EQ(readError(patchU32(good, 10, static_cast<std::uint32_t>(good.size() - 1))), "Error reading file");
}

TEST(BitmapFile, ColoursUsedIsTakenAsSixteenBits) {
    // 0x10000 colours is 0 as a 16-bit number: no palette at all.
    const std::string dib24 = testpics::randomDib(2, 2, 24, 4);
    std::string file = patchU32(bitmapFile(dib24, 0), 46, 0x10000);
    std::optional<std::string> read;
    EXPECT_EQ(readError(file, &read), "");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), 40u + 16);
}

namespace {

// A bitmap file whose information header is `headerSize` bytes: the 40
// bytes of `dib`'s header, then `extra` (masks, colour-space fields) padded
// with 0x5A, then the rest of `dib`.
std::string withHeader(const std::string& dib, std::uint32_t headerSize, const std::string& extra = "") {
    std::string header = patchU32(dib.substr(0, 40), 0, headerSize) + extra;
    header.resize(headerSize, '\x5A');
    return bitmapFile(header + dib.substr(40), 0);
}

std::string u32s(std::initializer_list<std::uint32_t> values) {
    ByteWriter w;
    for (std::uint32_t v : values) w.u32(v);
    return w.take();
}

}  // namespace

TEST(BitmapFile, CurrentHeadersAreReadAsTheirFirstFortyBytes) {
    for (std::uint32_t size : {52u, 56u, 108u, 124u}) {
        std::optional<std::string> dib;
        EXPECT_EQ(readError(withHeader(kDib8, size), &dib), "") << size;
        ASSERT_TRUE(dib) << size;
        EXPECT_EQ(*dib, kDib8) << size;
    }
}

TEST(BitmapFile, BitFieldMasksOfSixteenAndThirtyTwoBitPicturesAreApplied) {
    // 16 bits, 5-6-5, masks after a 40-byte header: red, green, blue, grey.
    const std::uint32_t pixels16[] = {0xF800, 0x07E0, 0x001F, 0x8410};
    std::string dib16 = testpics::makeDib(4, 1, 16, {}, [&](int x, int) { return pixels16[x]; });
    dib16 = patchU32(dib16, 16, 3);  // BI_BITFIELDS
    dib16.insert(40, u32s({0xF800, 0x07E0, 0x001F}));
    std::optional<std::string> read16;
    EXPECT_EQ(readError(bitmapFile(dib16, 0), &read16), "");
    const std::string expected16 = testpics::makeDib(4, 1, 32, {}, [](int x, int) -> std::uint32_t {
        const std::uint32_t rgb[] = {0xFF0000, 0x00FF00, 0x0000FF, 0x848284};
        return rgb[x];
    });
    EXPECT_EQ(read16, expected16);

    // Two pixels, red and green, 5-6-5 masks inside a 52- and a 56-byte header.
    const std::string dib565 =
        patchU32(testpics::makeDib(2, 1, 16, {}, [](int x, int) -> std::uint32_t { return x ? 0x07E0 : 0xF800; }), 16, 3);
    for (std::uint32_t size : {52u, 56u}) {
        EXPECT_EQ(readError(withHeader(dib565, size, u32s({0xF800, 0x07E0, 0x001F})), &read16), "") << size;
        EXPECT_EQ(read16, testpics::makeDib(2, 1, 32, {}, [](int x, int) { return x ? 0x00FF00u : 0xFF0000u; }));
    }
    // 32 bits in a 124-byte header whose masks put blue in the top byte.
    std::string dib32 = patchU32(testpics::makeDib(2, 1, 32, {}, [](int x, int) -> std::uint32_t {
        return x ? 0x11223344u : 0xFF0000FFu;
    }), 16, 3);
    std::optional<std::string> read32;
    EXPECT_EQ(readError(withHeader(dib32, 124, u32s({0x0000FF00, 0x00FF0000, 0xFF000000})), &read32), "");
    const std::string expected32 = testpics::makeDib(2, 1, 32, {}, [](int x, int) -> std::uint32_t {
        return x ? 0x332211u : 0x0000FFu;
    });
    EXPECT_EQ(read32, expected32);
    // The same pixels without BI_BITFIELDS: the masks are not looked at.
    std::optional<std::string> plain;
    EXPECT_EQ(readError(withHeader(patchU32(dib32, 16, 0), 124, u32s({0xFF00, 0xFF0000, 0xFF000000})), &plain), "");
    EXPECT_EQ(plain, patchU32(dib32, 16, 0));
}
