#include <gtest/gtest.h>
#include <sys/stat.h>

#include "builder/engine/DibConversion.h"
#include "builder/engine/IconImageBuilder.h"
#include "builder/engine/Project.h"
#include "tests/icons/IconTestImages.h"
#include "tests/icons/TestFileBytes.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempFolder.h"

using caskit_test::MessageRecorder;
using caskit_test::TempFolder;

namespace {

const std::string kImage16x4 = testpics::iconImage(16, 4, 1, '\x55');
const std::string kImage32x8a = testpics::iconImage(32, 8, 2, '\x0F');
const std::string kImage32x8b = testpics::iconImage(32, 8, 3, '\x3C');

// What the slot must hold for a picture made from `source` (packed DIB).
std::string expectedFrom(const std::string& source, int size) {
    IconImage image;
    image.width = size;
    image.height = size;
    image.bitsPerPixel = 8;
    EXPECT_TRUE(makeIconImage(image, source, true));
    EXPECT_TRUE(makeMaskFromCorner(image, 0, 0));
    return image.bytes;
}

// The colour picture of an icon file's image: header height halved.
std::string colourPicture(const std::string& iconImageBytes) {
    std::string dib = iconImageBytes;
    const int doubled = static_cast<unsigned char>(dib[8]) | static_cast<unsigned char>(dib[9]) << 8;
    dib[8] = static_cast<char>(doubled / 2);
    dib[9] = static_cast<char>((doubled / 2) >> 8);
    return dib;
}

}  // namespace

TEST(ProjectIcons, IconFileWithSmallFourBitAndLargeEightBitImages) {
    TempFolder folder;
    const std::string path = folder.write("app.ico", testfiles::iconFile({kImage16x4, kImage32x8a}));
    Project project(true);
    project.setLargeIconPath(path);
    project.setSmallIconPath(path);
    EXPECT_TRUE(project.modified);
    EXPECT_EQ(project.largeIconPath(), path);
    EXPECT_EQ(project.smallIconPath(), path);

    // Large: the 32 x 32 x 8 image unchanged, with its own mask, id 0.
    ASSERT_TRUE(project.largeIcon());
    EXPECT_EQ(project.largeIcon()->bytes, kImage32x8a);
    EXPECT_EQ(project.largeIcon()->id, 0);
    EXPECT_EQ(project.largeIcon()->width, 32);
    EXPECT_EQ(project.largeIcon()->bitsPerPixel, 8);

    // Small: scaled from the first image, 8 bits, corner-colour mask, id 1.
    ASSERT_TRUE(project.smallIcon());
    EXPECT_EQ(project.smallIcon()->id, 1);
    EXPECT_EQ(project.smallIcon()->width, 16);
    EXPECT_EQ(project.smallIcon()->height, 16);
    EXPECT_EQ(project.smallIcon()->bitsPerPixel, 8);
    EXPECT_EQ(project.smallIcon()->size(), 1384u);
    EXPECT_EQ(project.smallIcon()->bytes, expectedFrom(colourPicture(kImage16x4), 16));
}

TEST(ProjectIcons, LastMatchingImageWins) {
    TempFolder folder;
    const std::string path =
        folder.write("many.ico", testfiles::iconFile({kImage32x8a, kImage16x4, kImage32x8b, testpics::iconImage(32, 4, 9)}));
    Project project(true);
    project.setLargeIconPath(path);
    ASSERT_TRUE(project.largeIcon());
    EXPECT_EQ(project.largeIcon()->bytes, kImage32x8b);
    EXPECT_EQ(project.largeIcon()->id, 0);
}

TEST(ProjectIcons, BmpAnywhereInThePathMeansBitmap) {
    TempFolder folder;
    // A folder named pics.bmp holding logo.ico: read as a bitmap, so the
    // icon file in it fails with a bitmap message.
    const std::string dir = folder.file("pics.BMP");
    ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    const std::string path = dir + "/logo.ico";
    caskit_test::writeFile(path, testfiles::iconFile({kImage32x8a}));
    MessageRecorder recorder;
    Project project(true);
    EXPECT_NO_THROW(project.setLargeIconPath(path));
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].text, "Not a recognised BMP format file");
    EXPECT_EQ(recorder.shown[0].caption, path);
    EXPECT_EQ(project.largeIcon(), nullptr);
    EXPECT_EQ(project.largeIconPath(), path);
    EXPECT_TRUE(project.modified);
    std::remove(path.c_str());
    rmdir(dir.c_str());
}

TEST(ProjectIcons, PngFileIsReadAsAnIconAndFailsOnItsHeader) {
    TempFolder folder;
    const std::string good = folder.write("good.ico", testfiles::iconFile({kImage32x8a}));
    const std::string png = folder.write("logo.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    Project project(true);
    project.setLargeIconPath(good);
    project.modified = false;
    try {
        project.setLargeIconPath(png);
        FAIL() << "no error";
    } catch (const XFileException& e) {
        EXPECT_STREQ(e.what(), "Error Reading .ico File Header");
    }
    // The path is stored, the slot keeps its previous image.
    EXPECT_EQ(project.largeIconPath(), png);
    EXPECT_TRUE(project.modified);
    ASSERT_TRUE(project.largeIcon());
    EXPECT_EQ(project.largeIcon()->bytes, kImage32x8a);
}

TEST(ProjectIcons, SamePathDoesNothing) {
    TempFolder folder;
    const std::string path = folder.write("a.ico", testfiles::iconFile({kImage32x8a}));
    Project project(true);
    project.setLargeIconPath(path);
    project.modified = false;
    std::remove(path.c_str());  // a second read would fail now
    EXPECT_NO_THROW(project.setLargeIconPath(path));
    EXPECT_FALSE(project.modified);
    EXPECT_TRUE(project.largeIcon());
}

TEST(ProjectIcons, BitmapScaledIntoBothSlots) {
    TempFolder folder;
    const std::string dib = testpics::blockDib(48, 48, 24, 4);
    const std::string path = folder.write("logo.bmp", testfiles::bitmapFile(dib, 54));
    MessageRecorder recorder;
    Project project(true);
    project.setLargeIconPath(path);
    project.setSmallIconPath(path);
    EXPECT_TRUE(recorder.shown.empty());
    ASSERT_TRUE(project.largeIcon());
    ASSERT_TRUE(project.smallIcon());
    EXPECT_EQ(project.largeIcon()->size(), 2216u);
    EXPECT_EQ(project.smallIcon()->size(), 1384u);
    EXPECT_EQ(project.largeIcon()->bytes, expectedFrom(dib, 32));
    EXPECT_EQ(project.smallIcon()->bytes, expectedFrom(dib, 16));
    EXPECT_EQ(project.largeIcon()->id, 0);
    EXPECT_EQ(project.smallIcon()->id, 1);
    // The corner colour occurs all over the block picture: the mask is not empty.
    const std::string mask = project.largeIcon()->bytes.substr(project.largeIcon()->maskRowsOffset());
    EXPECT_NE(mask, std::string(128, '\0'));
}

TEST(ProjectIcons, BitmapErrorEmptiesTheSlotAndKeepsThePath) {
    TempFolder folder;
    const std::string good = folder.write("a.ico", testfiles::iconFile({kImage32x8a}));
    const std::string bad = folder.write("bad.bmp", "BM but far too short");
    Project project(true);
    project.setLargeIconPath(good);
    MessageRecorder recorder;
    EXPECT_NO_THROW(project.setLargeIconPath(bad));
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].text, "Not a recognised BMP format file");
    EXPECT_EQ(project.largeIcon(), nullptr);
    EXPECT_EQ(project.largeIconPath(), bad);
    EXPECT_EQ(project.largeIconHandle(), nullptr);  // Linux has no icons to show
}

TEST(ProjectIcons, IconFileWithoutImagesOrWithUnconvertibleFirstImageLeavesTheSlotEmpty) {
    TempFolder folder;
    Project project(true);
    project.setSmallIconPath(folder.write("empty.ico", testfiles::iconFile({})));
    EXPECT_EQ(project.smallIcon(), nullptr);
    std::string png("\x89PNG\r\n\x1a\n", 8);
    png += std::string(80, 'x');
    project.setSmallIconPath(folder.write("png.ico", testfiles::iconFile({png})));
    EXPECT_EQ(project.smallIcon(), nullptr);
}

TEST(ProjectIcons, MissingIconFileRaisesAndKeepsTheSlot) {
    TempFolder folder;
    const std::string good = folder.write("a.ico", testfiles::iconFile({kImage32x8a}));
    Project project(true);
    project.setLargeIconPath(good);
    EXPECT_THROW(project.setLargeIconPath(folder.file("missing.cur")), XFileException);
    EXPECT_EQ(project.largeIconPath(), folder.file("missing.cur"));
    ASSERT_TRUE(project.largeIcon());
    EXPECT_EQ(project.largeIcon()->bytes, kImage32x8a);
}
