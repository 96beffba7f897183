#include <gtest/gtest.h>

#include <filesystem>

#include "builder/engine/IconFileReader.h"
#include "tests/icons/IconTestImages.h"
#include "tests/icons/TestFileBytes.h"
#include "tests/support/TempFolder.h"

using caskit_test::TempFolder;
using testfiles::iconFile;
using testfiles::patchU32;
using testpics::iconImage;

namespace {

struct Outcome {
    bool ok = false;
    std::string what;  // the message of the error raised
    IconFile file;
};

Outcome read(const std::string& bytes) {
    TempFolder folder;
    const std::string path = folder.write("picture.ico", bytes);
    Outcome o;
    try {
        o.file = readIconFile(path);
        o.ok = true;
    } catch (const XMemoryException&) {
        o.what = "memory";
    } catch (const XFileException& e) {
        o.what = e.what();
    }
    return o;
}

const std::string kImage16x4 = iconImage(16, 4, 1);   // 40 + 64 + 128 + 64 = 296 bytes
const std::string kImage32x8 = iconImage(32, 8, 2);   // 2216 bytes
const std::string kTwoImages = iconFile({kImage16x4, kImage32x8});

}  // namespace

TEST(IconFileReader, ReadsEveryImageInFileOrder) {
    ASSERT_EQ(kImage16x4.size(), 296u);
    ASSERT_EQ(kImage32x8.size(), 2216u);
    const Outcome o = read(kTwoImages);
    ASSERT_TRUE(o.ok) << o.what;
    ASSERT_EQ(o.file.images.size(), 2u);
    const IconImage& a = o.file.images[0];
    EXPECT_EQ(a.id, 0);
    EXPECT_EQ(a.width, 16);
    EXPECT_EQ(a.height, 16);
    EXPECT_EQ(a.bitsPerPixel, 4);
    EXPECT_EQ(a.bytes, kImage16x4);
    EXPECT_EQ(a.colourRowsOffset(), 40u + 64);
    EXPECT_EQ(a.maskRowsOffset(), 40u + 64 + 8 * 16);
    const IconImage& b = o.file.images[1];
    EXPECT_EQ(b.id, 1);
    EXPECT_EQ(b.width, 32);
    EXPECT_EQ(b.height, 32);
    EXPECT_EQ(b.bitsPerPixel, 8);
    EXPECT_EQ(b.bytes, kImage32x8);
    EXPECT_EQ(b.colourRowsOffset(), 1064u);
    EXPECT_EQ(b.maskRowsOffset(), 2088u);
}

TEST(IconFileReader, CursorsAndEmptyFilesAreRead) {
    const Outcome cursor = read(iconFile({kImage32x8}, 2));
    ASSERT_TRUE(cursor.ok);
    EXPECT_EQ(cursor.file.images.size(), 1u);
    const Outcome empty = read(iconFile({}));
    ASSERT_TRUE(empty.ok);
    EXPECT_TRUE(empty.file.images.empty());
}

TEST(IconFileReader, UsesOnlySizeAndOffsetOfTheDirectory) {
    // Directory width, height and depth say nothing true; the header decides.
    std::string file = kTwoImages;
    for (std::size_t i = 0; i < 8; ++i) file[6 + i] = '\x7F';
    const Outcome o = read(file);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.file.images[0].width, 16);
    EXPECT_EQ(o.file.images[0].bitsPerPixel, 4);
}

TEST(IconFileReader, ErrorTexts) {
    const Outcome missing = [] {
        Outcome o;
        try {
            readIconFile("/nonexistent/folder/picture.ico");
        } catch (const XFileException& e) {
            o.what = e.what();
        }
        return o;
    }();
    EXPECT_EQ(missing.what, "Error Opening ,ico File for Reading");

    EXPECT_EQ(read(kTwoImages.substr(0, 5)).what, "Error Reading .ico File Header");
    std::string reserved = kTwoImages;
    reserved[1] = 1;
    EXPECT_EQ(read(reserved).what, "Error Reading .ico File Header");
    EXPECT_EQ(read(kTwoImages.substr(0, 6 + 31)).what, "Error Reading .ico File");
    EXPECT_EQ(read(patchU32(kTwoImages, 6 + 12, static_cast<std::uint32_t>(kTwoImages.size() + 1))).what,
              "Error Seeking in .ico File");
    EXPECT_EQ(read(kTwoImages.substr(0, kTwoImages.size() - 1)).what, "Error Reading File");
}

TEST(IconFileReader, PngFileFailsOnItsHeader) {
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x20\0\0\0\x20\x08\x06\0\0\0", 29);
    const Outcome o = read(png);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.what, "Error Reading .ico File Header");
}

TEST(IconFileReader, CutAtEveryLengthRaisesAFileError) {
    for (std::size_t n = 0; n < kTwoImages.size(); ++n) {
        const Outcome o = read(kTwoImages.substr(0, n));
        EXPECT_FALSE(o.ok) << n;
        EXPECT_TRUE(o.what == "Error Reading .ico File Header" || o.what == "Error Reading .ico File" ||
                    o.what == "Error Seeking in .ico File" || o.what == "Error Reading File")
            << n << ": " << o.what;
    }
}

TEST(IconFileReader, HugeCountIsAShortDirectory) {
    std::string file = kTwoImages;
    file[4] = '\xFF';
    file[5] = '\xFF';
    EXPECT_EQ(read(file).what, "Error Reading .ico File");
}

TEST(IconFileReader, ImageSizesAndOffsetsAreCheckedAgainstTheFile) {
    EXPECT_EQ(read(patchU32(kTwoImages, 6 + 8, 0xFFFFFFFFu)).what, "Error Reading File");
    EXPECT_EQ(read(patchU32(kTwoImages, 6 + 12, 0xFFFFFFF0u)).what, "Error Seeking in .ico File");
    // Offset right at the end with a size of 0: the image has no header.
    std::string atEnd = patchU32(patchU32(kTwoImages, 6 + 12, static_cast<std::uint32_t>(kTwoImages.size())), 6 + 8, 0);
    EXPECT_EQ(read(atEnd).what, "Error Reading File");
}

TEST(IconFileReader, ImagesWhoseHeaderDoesNotFitTheirBytesAreRefused) {
    const std::size_t first = 6 + 32;  // the 16 x 16 image's header
    // Header cut: only 39 bytes in the image.
    EXPECT_EQ(read(patchU32(kTwoImages, 6 + 8, 39)).what, "Error Reading File");
    // Rows past the image bytes.
    EXPECT_EQ(read(patchU32(kTwoImages, 6 + 8, 295)).what, "Error Reading File");
    EXPECT_EQ(read(patchU32(kTwoImages, first + 4, 17)).what, "Error Reading File");
    EXPECT_EQ(read(patchU32(kTwoImages, first + 8, 34)).what, "Error Reading File");
    // Nonsense geometry.
    EXPECT_EQ(read(patchU32(kTwoImages, first + 4, 0)).what, "Error Reading File");
    EXPECT_EQ(read(patchU32(kTwoImages, first + 4, 0x80000000u)).what, "Error Reading File");
    EXPECT_EQ(read(patchU32(kTwoImages, first + 8, 1)).what, "Error Reading File");
    EXPECT_EQ(read(patchU32(kTwoImages, first + 8, static_cast<std::uint32_t>(-32))).what, "Error Reading File");
    EXPECT_EQ(read(patchU32(kTwoImages, first + 12, 0x00040000)).what, "Error Reading File");  // 0 planes
    EXPECT_EQ(read(patchU32(kTwoImages, first + 12, 0x00030001)).what, "Error Reading File");  // 3 bits
    EXPECT_EQ(read(patchU32(kTwoImages, first + 32, 0xFFFF)).what, "Error Reading File");      // colours
    EXPECT_EQ(read(patchU32(kTwoImages, first, 0xFFFFFFFFu)).what, "Error Reading File");      // header size
}

TEST(IconFileReader, ImagesMayNotShareBytesOutnumberRealIconsOrPassTheCap) {
    // `count` entries naming one image of `size` bytes after the directory.
    const auto shared = [](std::uint16_t count, const std::string& image, std::uint64_t size) {
        ByteWriter w;
        for (std::uint16_t v : {std::uint16_t{0}, std::uint16_t{1}, count}) w.u16(v);
        const std::uint32_t entry[] = {0, 0, static_cast<std::uint32_t>(size), 6u + 16u * count};
        for (int i = 0; i < count; ++i)
            for (std::uint32_t v : entry) w.u32(v);
        w.bytes(image);
        return w.take();
    };
    const std::string sharing = ": images 1 and 2 share bytes; each image of an icon file must have bytes of its own";
    const std::string tooMany = "picture.ico: 257 images; an icon file may hold at most 256";
    const auto tail = [](const std::string& text, const std::string& end) {
        return text.substr(text.size() - std::min(end.size(), text.size()));
    };
    EXPECT_EQ(tail(read(shared(257, kImage32x8, 2216)).what, tooMany), tooMany);
    EXPECT_EQ(tail(read(shared(256, kImage32x8, 2216)).what, sharing), sharing);
    EXPECT_EQ(tail(read(patchU32(kTwoImages, 6 + 16 + 12, 6 + 32 + 295)).what, sharing), sharing);
    // One image over the cap, its bytes a hole in the file: refused unread.
    TempFolder folder;
    const std::string big = folder.write("big.ico", shared(1, "", kMaxIconFileImageBytes + 1));
    std::filesystem::resize_file(big, 22 + kMaxIconFileImageBytes + 1);
    try {
        readIconFile(big);
        ADD_FAILURE() << "read";
    } catch (const XFileException& e) {
        EXPECT_EQ(e.what(), big + ": its images take 67108865 bytes, over the cap of 64 MB an icon file's images "
                                  "may take");
    }
}

TEST(IconFileReader, PngImagesAreKeptAsStoredWithTheirHeadersGeometry) {
    const std::string png = testfiles::pngImage(256, 255);
    const Outcome o = read(iconFile({png, kImage32x8}));
    ASSERT_TRUE(o.ok) << o.what;
    ASSERT_EQ(o.file.images.size(), 2u);
    EXPECT_EQ(o.file.type, 1);
    EXPECT_EQ(o.file.images[0].width, 256);
    EXPECT_EQ(o.file.images[0].height, 255);
    EXPECT_EQ(o.file.images[0].bitsPerPixel, 32);
    EXPECT_TRUE(isPngImage(o.file.images[0]));
    EXPECT_FALSE(isPngImage(o.file.images[1]));
    EXPECT_EQ(o.file.images[0].bytes, png);
    EXPECT_EQ(o.file.images[1].width, 32);
    EXPECT_EQ(read(iconFile({png}, 2)).file.type, 2);
}

TEST(IconFileReader, PngImageCutShortOrMalformedIsRefused) {
    const std::string png = testfiles::pngImage(48, 48);
    // Cut anywhere (the directory's size saying so): no IEND, or a chunk
    // reaching past the image.
    for (std::size_t n = 8; n < png.size(); ++n)
        EXPECT_EQ(read(iconFile({png.substr(0, n)})).what, "Error Reading File") << n;
    const std::size_t ihdr = 8, depth = ihdr + 16, colourType = ihdr + 17;
    std::string notFirst = png;
    notFirst.replace(ihdr + 4, 4, "IHDX");
    std::string longHeader = png;
    longHeader[ihdr + 3] = 14;
    std::string zeroWidth = png;
    zeroWidth.replace(ihdr + 8, 4, std::string(4, '\0'));
    std::string badDepth = png;
    badDepth[depth] = 4;  // RGBA has 8 or 16 bits per channel
    std::string badType = png;
    badType[colourType] = 5;
    for (const std::string& bad : {notFirst, longHeader, zeroWidth, badDepth, badType})
        EXPECT_EQ(read(iconFile({bad})).what, "Error Reading File");
    // Bytes after IEND stay with the image.
    const Outcome padded = read(iconFile({png + "pad"}));
    ASSERT_TRUE(padded.ok) << padded.what;
    EXPECT_EQ(padded.file.images[0].bytes, png + "pad");
}
