#include <gtest/gtest.h>
#include <sys/stat.h>

#include "builder/engine/IconLoading.h"
#include "builder/engine/Project.h"
#include "builder/ui/BoxReporter.h"
#include "tests/icons/IconTestImages.h"
#include "tests/icons/TestFileBytes.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempFolder.h"

using caskit_test::MessageRecorder;
using caskit_test::TempFolder;

namespace {

// The first image of the icon files: 16 x 16, 4 bits, white (the corner
// colour) on the left, colour 2040C0 on the right.
const std::string kImage16x4 = testpics::iconImageFrom(
    testpics::makeDib(16, 16, 4, {0xFFFFFF, 0x2040C0, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080,
                                  0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080},
                      [](int x, int) -> std::uint32_t { return x < 8 ? 0 : 1; }),
    '\x55');
const std::string kImage32x8a = testpics::iconImage(32, 8, 2, '\x0F');
const std::string kImage32x8b = testpics::iconImage(32, 8, 3, '\x3C');

// An 8-bit slot image made from white and 2040C0: the halftone palette
// holds both (entries 255 and 209); white pixels (`clear`) become black
// and transparent. Checks the palette entries and returns the colour rows
// and mask rows, bottom row first.
template <typename Clear>
std::string slotRows(const IconImage& image, Clear clear) {
    EXPECT_EQ(image.bytes.substr(40 + 4 * 209, 4), std::string("\xC0\x40\x20\0", 4));
    EXPECT_EQ(image.bytes.substr(40 + 4 * 255, 4), std::string("\xFF\xFF\xFF\0", 4));
    const int size = image.width;
    std::string colour, mask;
    for (int y = size - 1; y >= 0; --y) {
        std::string maskRow(4, '\0');
        for (int x = 0; x < size; ++x) {
            colour += clear(x, y) ? '\0' : '\xD1';
            if (clear(x, y)) maskRow[x / 8] = static_cast<char>(maskRow[x / 8] | (0x80 >> (x % 8)));
        }
        mask += maskRow;
    }
    return colour + mask;
}

}  // namespace

TEST(ProjectIcons, IconFileWithSmallFourBitAndLargeEightBitImages) {
    TempFolder folder;
    const std::string path = folder.write("app.ico", testfiles::iconFile({kImage16x4, kImage32x8a}));
    Project project(true);
    loadIcon(project, IconSlot::Large, path);
    loadIcon(project, IconSlot::Small, path);
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
    EXPECT_EQ(project.smallIcon()->bytes.substr(1064), slotRows(*project.smallIcon(), [](int x, int) { return x < 8; }));
}

TEST(ProjectIcons, LastMatchingImageWins) {
    TempFolder folder;
    const std::string path =
        folder.write("many.ico", testfiles::iconFile({kImage32x8a, kImage16x4, kImage32x8b, testpics::iconImage(32, 4, 9)}));
    Project project(true);
    loadIcon(project, IconSlot::Large, path);
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
    BoxReporter boxes(nullptr);
    Project project(true);
    EXPECT_NO_THROW(loadIcon(project, IconSlot::Large, path, &boxes));
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
    loadIcon(project, IconSlot::Large, good);
    project.modified = false;
    const IconLoad load = loadIcon(project, IconSlot::Large, png);
    EXPECT_FALSE(load.ok) << "no error";
    EXPECT_EQ(load.problem, "Error Reading .ico File Header");
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
    loadIcon(project, IconSlot::Large, path);
    project.modified = false;
    std::remove(path.c_str());  // a second read would fail now
    EXPECT_NO_THROW(loadIcon(project, IconSlot::Large, path));
    EXPECT_FALSE(project.modified);
    EXPECT_TRUE(project.largeIcon());
}

TEST(ProjectIcons, BitmapScaledIntoBothSlots) {
    // 48 x 48: white (the corner colour) in the top half, 2040C0 below. The
    // 32-row slot shows source rows 0, 2, 3, 5, ... (white up to its row
    // 15); the 16-row slot every third row (white up to its row 7).
    const std::string dib = testpics::makeDib(48, 48, 24, {}, [](int, int y) -> std::uint32_t {
        return y < 24 ? 0xFFFFFF : 0x2040C0;
    });
    TempFolder folder;
    const std::string path = folder.write("logo.bmp", testfiles::bitmapFile(dib, 54));
    MessageRecorder recorder;
    Project project(true);
    loadIcon(project, IconSlot::Large, path);
    loadIcon(project, IconSlot::Small, path);
    EXPECT_TRUE(recorder.shown.empty());
    ASSERT_TRUE(project.largeIcon());
    ASSERT_TRUE(project.smallIcon());
    EXPECT_EQ(project.largeIcon()->size(), 2216u);
    EXPECT_EQ(project.smallIcon()->size(), 1384u);
    EXPECT_EQ(project.largeIcon()->bytes.substr(1064), slotRows(*project.largeIcon(), [](int, int y) { return y < 16; }));
    EXPECT_EQ(project.smallIcon()->bytes.substr(1064), slotRows(*project.smallIcon(), [](int, int y) { return y < 8; }));
    EXPECT_EQ(project.largeIcon()->id, 0);
    EXPECT_EQ(project.smallIcon()->id, 1);
}

TEST(ProjectIcons, BitmapErrorEmptiesTheSlotAndKeepsThePath) {
    TempFolder folder;
    const std::string good = folder.write("a.ico", testfiles::iconFile({kImage32x8a}));
    const std::string bad = folder.write("bad.bmp", "BM but far too short");
    Project project(true);
    loadIcon(project, IconSlot::Large, good);
    MessageRecorder recorder;
    BoxReporter boxes(nullptr);
    EXPECT_NO_THROW(loadIcon(project, IconSlot::Large, bad, &boxes));
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].text, "Not a recognised BMP format file");
    EXPECT_EQ(project.largeIcon(), nullptr);
    EXPECT_EQ(project.largeIconPath(), bad);
    EXPECT_EQ(project.largeIconHandle(), nullptr);  // Linux has no icons to show
}

TEST(ProjectIcons, IconFileWithoutImagesOrWithUnconvertibleFirstImageLeavesTheSlotEmpty) {
    TempFolder folder;
    Project project(true);
    loadIcon(project, IconSlot::Small, folder.write("empty.ico", testfiles::iconFile({})));
    EXPECT_EQ(project.smallIcon(), nullptr);
    loadIcon(project, IconSlot::Small, folder.write("png.ico", testfiles::iconFile({testfiles::pngImage(16, 16)})));
    EXPECT_EQ(project.smallIcon(), nullptr);
}

TEST(ProjectIcons, MissingIconFileRaisesAndKeepsTheSlot) {
    TempFolder folder;
    const std::string good = folder.write("a.ico", testfiles::iconFile({kImage32x8a}));
    Project project(true);
    loadIcon(project, IconSlot::Large, good);
    EXPECT_EQ(loadIcon(project, IconSlot::Large, folder.file("missing.cur")).problem,
              "Error Opening ,ico File for Reading");
    EXPECT_EQ(project.largeIconPath(), folder.file("missing.cur"));
    ASSERT_TRUE(project.largeIcon());
    EXPECT_EQ(project.largeIcon()->bytes, kImage32x8a);
}
