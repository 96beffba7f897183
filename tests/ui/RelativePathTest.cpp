#include <gtest/gtest.h>

#include "builder/ui/RelativePath.h"

namespace {

const char* const kBase = "C:\\app\\";

TEST(RelativePath, SubfolderOfTheBase) { EXPECT_EQ(relativePath("C:\\app\\lib\\", kBase), ".\\lib\\"); }

TEST(RelativePath, TheBaseItselfIsDot) { EXPECT_EQ(relativePath("C:\\app\\", kBase), "."); }

TEST(RelativePath, SiblingFolder) { EXPECT_EQ(relativePath("C:\\other\\", kBase), "..\\other\\"); }

TEST(RelativePath, DriveRoot) { EXPECT_EQ(relativePath("C:\\", kBase), "..\\"); }

TEST(RelativePath, DeepSibling) { EXPECT_EQ(relativePath("C:\\other\\deep\\", kBase), "..\\other\\deep\\"); }

TEST(RelativePath, OtherDriveStaysAbsolute) { EXPECT_EQ(relativePath("D:\\lib\\", kBase), "D:\\lib\\"); }

TEST(RelativePath, DriveLetterCaseCountsAsAnotherDrive) {
    EXPECT_EQ(relativePath("c:\\app\\lib\\", kBase), "c:\\app\\lib\\");
}

TEST(RelativePath, BaseWithoutFinalBackslashGivesEmptyForItself) {
    EXPECT_EQ(relativePath("C:\\app\\", "C:\\app"), "");
}

TEST(RelativePath, DeepSubfolder) { EXPECT_EQ(relativePath("C:\\app\\lib\\ext\\", kBase), ".\\lib\\ext\\"); }

TEST(RelativePath, TargetWithoutFinalBackslashGetsOne) { EXPECT_EQ(relativePath("C:\\app\\lib", kBase), ".\\lib\\"); }

TEST(RelativePath, ForwardSlashesBecomeBackslashes) {
    EXPECT_EQ(relativePath("C:/app/lib/", kBase), ".\\lib\\");
}

TEST(RelativePath, BaseWrittenWithForwardSlashes) {
    // A folder kept in a project written on another system.
    EXPECT_EQ(relativePath("C:\\app\\lib\\", "C:/app/"), ".\\lib\\");
    EXPECT_EQ(relativePath("C:\\other\\", "C:/app/"), "..\\other\\");
}

TEST(RelativePath, TwoLevelsUp) { EXPECT_EQ(relativePath("C:\\x\\", "C:\\a\\b\\"), "..\\..\\x\\"); }

TEST(RelativePath, LetterCaseOfFoldersMatters) { EXPECT_EQ(relativePath("C:\\App\\lib\\", kBase), "..\\App\\lib\\"); }

TEST(RelativePath, UncAndShortTextsStayAsTheyAre) {
    EXPECT_EQ(relativePath("\\\\server\\share\\", kBase), "\\\\server\\share\\");
    EXPECT_EQ(relativePath("C", kBase), "C");
    EXPECT_EQ(relativePath("", kBase), "");
    EXPECT_EQ(relativePath("C:\\lib\\", ""), "C:\\lib\\");
}

}  // namespace
