// The parameter trailer: the writer's exact bytes and the reader against
// real files, well-formed and malformed.
#include <gtest/gtest.h>

#include "builder/engine/ParameterTrailerWriter.h"
#include "launcher/ParameterTrailer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextSupport.h"

namespace {

using caskit_test::TempFolder;
using caskit_test::writeFile;

const std::string kImage = std::string("MZ\x90\0\3\0\0\0", 8) + std::string(500, '\xCC');

std::string trailerOf(const TempFolder& folder, const std::string& bytes) {
    writeFile(folder.file("app.exe"), bytes);
    return str(readParameterTrailer(folder.file("app.exe")));
}

TEST(ParameterTrailer, EncodesBlockThenLittleEndianLength) {
    EXPECT_EQ(encodeParameterTrailer("ab\n"), std::string("ab\n\x03\0\0\0", 7));
    EXPECT_EQ(encodeParameterTrailer(""), std::string("\0\0\0\0", 4));
    std::string big(0x010203, 'x');
    std::string encoded = encodeParameterTrailer(big);
    ASSERT_EQ(encoded.size(), big.size() + 4);
    EXPECT_EQ(encoded.substr(big.size()), std::string("\x03\x02\x01\0", 4));
}

TEST(ParameterTrailer, ReadsTheBlockWrittenAfterAnImage) {
    TempFolder folder;
    const std::string block = "classname\nx.y.Z\n";
    EXPECT_EQ(trailerOf(folder, kImage + encodeParameterTrailer(block)), block);
}

TEST(ParameterTrailer, WholeFileMayBeTheBlock) {
    TempFolder folder;
    EXPECT_EQ(trailerOf(folder, encodeParameterTrailer("verify\n")), "verify\n");
}

TEST(ParameterTrailer, UnconfiguredStubEndsWithZeroLength) {
    TempFolder folder;
    EXPECT_EQ(trailerOf(folder, kImage + std::string(4, '\0')), "");
}

TEST(ParameterTrailer, BlockEndsAtItsFirstNul) {
    TempFolder folder;
    std::string block("nocp\n\0verify\n", 13);
    EXPECT_EQ(trailerOf(folder, kImage + encodeParameterTrailer(block)), "nocp\n");
    EXPECT_EQ(trailerOf(folder, kImage + encodeParameterTrailer(std::string("\0nocp\n", 6))), "");
}

TEST(ParameterTrailer, LengthLargerThanTheFileGivesNothing) {
    TempFolder folder;
    // One byte more than what precedes the length word.
    std::string block = "verify\n";
    std::string bytes = block + std::string("\x08\0\0\0", 4);
    EXPECT_EQ(trailerOf(folder, bytes), "");
    EXPECT_EQ(trailerOf(folder, block + std::string("\x07\0\0\0", 4)), block);
    EXPECT_EQ(trailerOf(folder, kImage + std::string("\xff\xff\xff\xff", 4)), "");
    EXPECT_EQ(trailerOf(folder, kImage + std::string("\0\0\0\x80", 4)), "");
}

TEST(ParameterTrailer, ShortOrMissingFilesGiveNothing) {
    TempFolder folder;
    EXPECT_EQ(trailerOf(folder, ""), "");
    EXPECT_EQ(trailerOf(folder, std::string("\x01\0\0", 3)), "");
    EXPECT_EQ(trailerOf(folder, std::string("\0\0\0\0", 4)), "");
    EXPECT_EQ(trailerOf(folder, std::string("\x01\0\0\0", 4)), "");
    EXPECT_EQ(readParameterTrailer(folder.file("missing.exe")), "");
    EXPECT_EQ(readParameterTrailer(""), "");
    EXPECT_EQ(readParameterTrailer(folder.path()), "");  // a folder, not a file
}

TEST(ParameterTrailer, EveryCutOfAFileIsReadSafely) {
    TempFolder folder;
    const std::string block = "classpath\n1\na.jar\n";
    const std::string file = std::string(40, 'I') + encodeParameterTrailer(block);
    for (std::size_t n = 0; n <= file.size(); ++n) {
        std::string read = trailerOf(folder, file.substr(0, n));
        if (n == file.size()) EXPECT_EQ(read, block);
        else EXPECT_LE(read.size(), n);
    }
}

}  // namespace
