// The writable-folder probe.
#include <gtest/gtest.h>
#include <dirent.h>

#include "launcher/FolderProbe.h"
#include "tests/support/TempFolder.h"

namespace {

using caskit_test::TempFolder;

std::size_t entriesIn(const std::string& folder) {
    std::size_t count = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") ++count;
        }
        closedir(dir);
    }
    return count;
}

TEST(FolderProbe, ProbeFileNameIsJoinedWithOneSeparator) {
    EXPECT_EQ(folderProbePath("/opt/jre"), "/opt/jre/zy8zxx.zxi");
    EXPECT_EQ(folderProbePath("/opt/jre/"), "/opt/jre/zy8zxx.zxi");
    EXPECT_EQ(folderProbePath(""), "/zy8zxx.zxi");
}

TEST(FolderProbe, WritableFolderWithAndWithoutTrailingSeparator) {
    TempFolder folder;
    EXPECT_TRUE(isFolderWritable(folder.path()));
    EXPECT_TRUE(isFolderWritable(folder.path() + "/"));
    EXPECT_EQ(entriesIn(folder.path()), 0u);  // nothing left behind
}

TEST(FolderProbe, ExistingProbeFileIsReplacedAndRemoved) {
    TempFolder folder;
    caskit_test::writeFile(folder.file("zy8zxx.zxi"), "old");
    EXPECT_TRUE(isFolderWritable(folder.path()));
    EXPECT_FALSE(caskit_test::exists(folder.file("zy8zxx.zxi")));
}

TEST(FolderProbe, MissingFolderIsNotWritable) {
    TempFolder folder;
    EXPECT_FALSE(isFolderWritable(folder.file("missing")));
    EXPECT_FALSE(isFolderWritable(folder.file("missing/deeper/")));
    EXPECT_EQ(entriesIn(folder.path()), 0u);
}

TEST(FolderProbe, FileInsteadOfFolderIsNotWritable) {
    TempFolder folder;
    caskit_test::writeFile(folder.file("plain"), "x");
    EXPECT_FALSE(isFolderWritable(folder.file("plain")));
}

}  // namespace
