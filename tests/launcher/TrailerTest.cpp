// The parameter trailer: the writer's exact bytes and the reader against
// real files, well-formed and malformed.
#include <gtest/gtest.h>

#include <set>

#include "builder/engine/ParameterTrailerWriter.h"
#include "launcher/HandOver.h"
#include "launcher/ParameterTrailer.h"
#include "tests/engine/TestPe.h"
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

// A signed PE file: the image, the trailer, the zero bytes that align
// the certificate table to 8, then the table, which the security data
// directory (number 4) locates.
std::string signedPe(const std::string& trailerBytes, std::size_t* pad = nullptr, bool stubTrailer = true) {
    caskit_test::HandPe o;
    o.relocAfterResources = false;
    // The stub file: its image and, unconfigured, its empty trailer.
    std::string file = caskit_test::makeHandPe(o) + (stubTrailer ? std::string(4, '\0') : "") + trailerBytes;
    const std::size_t zeros = (8 - file.size() % 8) % 8;
    if (pad) *pad = zeros;
    file.append(zeros, '\0');
    const std::size_t table = file.size();
    file += std::string("\x10\0\0\0\0\x02\x02\0certificat", 18);
    caskit_test::put32(file, caskit_test::kHandOptional + 112 + 4 * 8, static_cast<std::uint32_t>(table));
    caskit_test::put32(file, caskit_test::kHandOptional + 112 + 4 * 8 + 4, 18);
    return file;
}

TEST(ParameterTrailer, SignedFileHasItsTrailerBeforeTheAlignedCertificateTable) {
    TempFolder folder;
    std::set<std::size_t> pads;
    // Blocks of 8 neighbouring lengths meet every padding from 0 to 7; a
    // length whose high bytes are zero sits beside the padding zeros.
    for (std::size_t extra = 0; extra < 8; ++extra) {
        for (std::size_t base : {std::size_t(20), std::size_t(2570), std::size_t(0x10200)}) {
            const std::string block = "classname\n" + std::string(base + extra, 'x') + "\n";
            for (bool stubTrailer : {true, false}) {
                std::size_t pad = 0;
                EXPECT_EQ(trailerOf(folder, signedPe(encodeParameterTrailer(block), &pad, stubTrailer)), block) << pad;
                pads.insert(pad);
            }
        }
    }
    EXPECT_EQ(pads.size(), 8u);
    // An unconfigured stub, signed: an empty block.
    EXPECT_EQ(trailerOf(folder, signedPe(encodeParameterTrailer(""))), "");
    // A signed file without a trailer (the resource form) gives nothing.
    EXPECT_EQ(trailerOf(folder, signedPe("")), "");
    // Only zero bytes are skipped.
    std::string block = "nocp\n";
    std::string notZero = signedPe(encodeParameterTrailer(block) + "\x01");
    EXPECT_EQ(trailerOf(folder, notZero), "");
    // A certificate entry that points past the end of the file is ignored:
    // the trailer is then looked for at the end, as in an unsigned file.
    std::string broken = caskit_test::makeHandPe({}) + encodeParameterTrailer(block);
    caskit_test::put32(broken, caskit_test::kHandOptional + 112 + 4 * 8, 0x7FFFFFF0);
    caskit_test::put32(broken, caskit_test::kHandOptional + 112 + 4 * 8 + 4, 0x100);
    EXPECT_EQ(trailerOf(folder, broken), block);
}

}  // namespace

TEST(HandOverMessage, LayoutAndHostileInput) {
    const Text message = handOverMessage("/h\xC3\xA9", {Text("a b"), Text()});
    EXPECT_EQ(str(message), std::string("CSK1\x04\0\0\0/h\xC3\xA9\x02\0\0\0\x03\0\0\0a b\0\0\0\0", 27));
    Text folder;
    List<Text> arguments;
    ASSERT_TRUE(readHandOverMessage(message, folder, arguments));
    EXPECT_EQ(str(folder), "/h\xC3\xA9");
    EXPECT_EQ(strs(arguments), (std::vector<std::string>{"a b", ""}));
    for (size_t n = 0; n < message.size(); ++n)
        EXPECT_FALSE(readHandOverMessage(message.substr(0, n), folder, arguments)) << n;
    EXPECT_FALSE(readHandOverMessage(message + "x", folder, arguments));
    EXPECT_FALSE(readHandOverMessage(Text("CSK1\0\0\0\0\xFF\xFF\xFF\xFF", 12), folder, arguments));
    EXPECT_FALSE(readHandOverMessage(Text("CSK1\xFF\xFF\xFF\x7F", 8), folder, arguments));
    EXPECT_FALSE(readHandOverMessage(handOverMessage(Text("a\0b", 3), {}), folder, arguments));
}
