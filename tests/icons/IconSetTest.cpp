// Which images a compile writes into the icon group: every image of an
// icon file as it is stored, the small slot's source adding only sizes the
// large one lacks, and today's converted images for bitmaps and cursors.
#include <gtest/gtest.h>

#include "builder/engine/IconLoading.h"
#include "builder/engine/IconSet.h"
#include "builder/engine/Project.h"
#include "tests/icons/IconTestImages.h"
#include "tests/icons/TestFileBytes.h"
#include "tests/icons/TestPictures.h"
#include "tests/support/TempFolder.h"

using caskit_test::TempFolder;
using testfiles::iconFile;
using testfiles::pngImage;
using testpics::iconImage;

namespace {

const std::string k16 = iconImage(16, 32, 1);
const std::string k32 = iconImage(32, 32, 2);
const std::string k48 = iconImage(48, 32, 3);
const std::string k256 = pngImage(256, 256);
const std::string kFour = iconFile({k16, k32, k48, k256});

struct Written {
    std::uint16_t id;
    std::int32_t width, height, bits;
    std::string bytes;
    bool operator==(const Written& o) const {
        return id == o.id && width == o.width && height == o.height && bits == o.bits && bytes == o.bytes;
    }
};

std::vector<Written> written(const Project& project) {
    std::vector<Written> out;
    for (const IconImage& image : iconSetToWrite(project))
        out.push_back({image.id, image.width, image.height, image.bitsPerPixel, image.bytes});
    return out;
}

}  // namespace

TEST(IconSet, EveryImageOfTheLargeIconFileAsStoredWithIdsFromZero) {
    TempFolder folder;
    Project project(true);
    loadIcon(project, IconSlot::Large, folder.write("app.ico", kFour));
    loadIcon(project, IconSlot::Small, folder.file("app.ico"));
    const std::vector<Written> expected = {
        {0, 16, 16, 32, k16}, {1, 32, 32, 32, k32}, {2, 48, 48, 32, k48}, {3, 256, 256, 32, k256}};
    EXPECT_EQ(written(project), expected);
}

TEST(IconSet, ADifferentSmallFileAddsOnlySizesTheLargeFileLacks) {
    TempFolder folder;
    Project project(true);
    const std::string k16b = iconImage(16, 8, 4), k24 = iconImage(24, 4, 5), k32b = iconImage(32, 8, 6);
    loadIcon(project, IconSlot::Large, folder.write("large.ico", iconFile({k32, k48})));
    loadIcon(project, IconSlot::Small, folder.write("small.ico", iconFile({k16b, k32b, k24})));
    const std::vector<Written> expected = {
        {0, 32, 32, 32, k32}, {1, 48, 48, 32, k48}, {2, 16, 16, 8, k16b}, {3, 24, 24, 4, k24}};
    EXPECT_EQ(written(project), expected);
}

TEST(IconSet, OnlyASmallIconFileStartsAtTheSmallId) {
    TempFolder folder;
    Project project(true);
    loadIcon(project, IconSlot::Small, folder.write("small.ico", iconFile({k16, k256})));
    const std::vector<Written> expected = {{1, 16, 16, 32, k16}, {2, 256, 256, 32, k256}};
    EXPECT_EQ(written(project), expected);
}

TEST(IconSet, BitmapsAndCursorsKeepTheirConvertedImages) {
    TempFolder folder;
    Project project(true);
    EXPECT_TRUE(written(project).empty());
    const std::string bitmap = testfiles::bitmapFile(testpics::blockDib(48, 48, 24, 21), 54);
    loadIcon(project, IconSlot::Large, folder.write("large.bmp", bitmap));
    loadIcon(project, IconSlot::Small, folder.write("small.cur", iconFile({k16, k48}, 2)));
    ASSERT_TRUE(project.largeIcon() && project.smallIcon());
    const std::vector<Written> converted = {{0, 32, 32, 8, project.largeIcon()->bytes},
                                            {1, 16, 16, 8, project.smallIcon()->bytes}};
    EXPECT_EQ(written(project), converted);

    // An icon file as the small source beside a bitmap: its images of
    // sizes other than 32 follow the converted large image.
    loadIcon(project, IconSlot::Small, folder.write("small.ico", iconFile({k16, k32, k256})));
    const std::vector<Written> mixed = {{0, 32, 32, 8, project.largeIcon()->bytes},
                                        {1, 16, 16, 32, k16},
                                        {2, 256, 256, 32, k256}};
    EXPECT_EQ(written(project), mixed);
}

TEST(IconSet, AnIconFileOfPngImagesAloneIsWrittenThoughNotConvertible) {
    TempFolder folder;
    Project project(true);
    loadIcon(project, IconSlot::Large, folder.write("png.ico", iconFile({k256})));
    EXPECT_EQ(project.largeIcon(), nullptr);
    const std::vector<Written> expected = {{0, 256, 256, 32, k256}};
    EXPECT_EQ(written(project), expected);
    project.setLargeIcon();
    EXPECT_TRUE(written(project).empty());
}
