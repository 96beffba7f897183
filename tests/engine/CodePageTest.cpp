// Project text against system text (UTF-8 on this host) through the
// project code page.
#include <gtest/gtest.h>

#include "builder/engine/CodePage.h"
#include "platform/TextCodec.h"

namespace {

// Each test starts from and returns to the default code page.
class CodePageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(projectCodePage(), 1252u); }
    void TearDown() override { setProjectCodePage(1252); }
};

}  // namespace

TEST_F(CodePageTest, SystemTextBecomesCodePage1252AndBack) {
    std::string problem;
    const std::string text = "\u00A9 2026 Zo\u00EB, Acme\u2122 \u20AC";
    const std::optional<std::string> ansi = systemToAnsi(text, problem);
    ASSERT_TRUE(ansi) << problem;
    EXPECT_EQ(*ansi, "\xA9 2026 Zo\xEB, Acme\x99 \x80");
    EXPECT_EQ(ansiToSystem(*ansi), text);
    EXPECT_EQ(ansiToUtf8(*ansi), text);
    EXPECT_EQ(ansiToUtf16(*ansi), u"\u00A9 2026 Zo\u00EB, Acme\u2122 \u20AC");
}

TEST_F(CodePageTest, CharactersTheCodePageLacksAreRefusedByName) {
    std::string problem;
    EXPECT_FALSE(systemToAnsi("ab\u65E5\u672C", problem));
    EXPECT_EQ(problem, "\"\u65E5\" (U+65E5) has no place in code page 1252");
    EXPECT_FALSE(systemToAnsi("x\U0001F600", problem));
    EXPECT_EQ(problem, "\"\U0001F600\" (U+1F600) has no place in code page 1252");
    EXPECT_FALSE(systemToAnsi("caf\xE9", problem));  // Latin-1, not UTF-8
    EXPECT_EQ(problem, "the text is not valid UTF-8");
    EXPECT_FALSE(systemToAnsi("\xED\xA0\x80", problem));  // an encoded surrogate
    EXPECT_EQ(problem, "the text is not valid UTF-8");
}

TEST_F(CodePageTest, OtherCodePagesAndUtf8) {
    std::string problem;
    ASSERT_TRUE(setProjectCodePage(932));
    EXPECT_EQ(systemToAnsi("\u65E5\u672C", problem), std::optional<std::string>("\x93\xFA\x96\x7B"));
    EXPECT_EQ(ansiToSystem("\x93\xFA\x96\x7B"), "\u65E5\u672C");
    EXPECT_FALSE(systemToAnsi("\u00A9", problem));
    EXPECT_EQ(problem, "\"\u00A9\" (U+00A9) has no place in code page 932");

    // UTF-8 as the project code page converts nothing at all.
    ASSERT_TRUE(setProjectCodePage(platform::kUtf8CodePage));
    EXPECT_EQ(systemToAnsi("\xFF\xFE", problem), std::optional<std::string>("\xFF\xFE"));
    EXPECT_EQ(ansiToUtf8("\u65E5"), "\u65E5");
}

TEST_F(CodePageTest, OnlyAnsiCodePagesTheSystemKnowsAreTaken) {
    EXPECT_FALSE(setProjectCodePage(0));
    EXPECT_FALSE(setProjectCodePage(1200));   // UTF-16: LF is not the byte 0x0A
    EXPECT_FALSE(setProjectCodePage(37));     // EBCDIC
    EXPECT_FALSE(setProjectCodePage(99999));
    EXPECT_EQ(projectCodePage(), 1252u);
    EXPECT_TRUE(setProjectCodePage(1250));
    EXPECT_EQ(projectCodePage(), 1250u);
}

// Stored text is shown whatever it holds: bytes that form no character
// become U+FFFD, and the rest of the text survives.
TEST_F(CodePageTest, UndefinedBytesBecomeTheReplacementCharacter) {
    EXPECT_EQ(ansiToSystem("a\x81z"), "a\uFFFDz");
    ASSERT_TRUE(setProjectCodePage(932));
    EXPECT_EQ(ansiToUtf16("\x93"), u"\uFFFD");        // a lead byte cut off at the end
    EXPECT_EQ(ansiToUtf16("\x93\xFA" "x\x93 y"), u"\u65E5x\uFFFD y");  // a lead byte without its trail byte
}
