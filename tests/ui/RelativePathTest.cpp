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

// Windows ignores letter case in paths, and so does the computation.
TEST(RelativePath, LetterCaseIsIgnored) {
    EXPECT_EQ(relativePath("c:\\app\\lib\\", kBase), ".\\lib\\");
    EXPECT_EQ(relativePath("C:\\App\\lib\\", kBase), ".\\lib\\");
    EXPECT_EQ(relativePath("c:\\APP\\", kBase), ".");
    EXPECT_EQ(relativePath("C:\\Other\\", "c:\\app\\"), "..\\Other\\");
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


TEST(RelativePath, UncAndShortTextsStayAsTheyAre) {
    EXPECT_EQ(relativePath("\\\\server\\share\\", kBase), "\\\\server\\share\\");
    EXPECT_EQ(relativePath("C", kBase), "C");
    EXPECT_EQ(relativePath("", kBase), "");
    EXPECT_EQ(relativePath("C:\\lib\\", ""), "C:\\lib\\");
}

TEST(SamePathText, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(samePathText("c:\\p\\a.csk", "C:\\P\\A.CSK"));
    EXPECT_FALSE(samePathText("C:\\p\\a.csk", "C:\\p\\a.csk2"));
    EXPECT_FALSE(samePathText("C:\\p\\a", "C:\\p\\b"));
    EXPECT_FALSE(samePathText("C:\\[", "C:\\{"));  // 0x5B and 0x7B are not letters
    EXPECT_FALSE(samePathText("C:\\\xE9", "C:\\\xC9"));
}

// Locate's initial folder: where the produced program finds the library.
TEST(FolderOfFile, RelativePathsResolveAgainstTheBase) {
    EXPECT_EQ(folderOfFile(".\\lib\\jvm.dll", kBase), "C:\\app\\lib");
    EXPECT_EQ(folderOfFile("lib/jvm.dll", kBase), "C:\\app\\lib");
    EXPECT_EQ(folderOfFile("jvm.dll", kBase), "C:\\app");
    EXPECT_EQ(folderOfFile("..\\jdk\\bin\\jvm.dll", kBase), "C:\\jdk\\bin");
    EXPECT_EQ(folderOfFile("..\\..\\..\\jvm.dll", kBase), "C:\\");
    EXPECT_EQ(folderOfFile("..\\..\\x\\jvm.dll", "\\\\srv\\share\\app\\"), "\\\\srv\\share\\x");
}

TEST(FolderOfFile, AbsoluteAndEmptyPathsKeepTheirFolder) {
    EXPECT_EQ(folderOfFile("D:\\jdk\\bin\\jvm.dll", kBase), "D:\\jdk\\bin");
    EXPECT_EQ(folderOfFile("\\\\srv\\vm\\jvm.dll", kBase), "\\\\srv\\vm");
    EXPECT_EQ(folderOfFile("", kBase), "");
    EXPECT_EQ(folderOfFile("lib\\jvm.dll", ""), "lib");
}

}  // namespace
