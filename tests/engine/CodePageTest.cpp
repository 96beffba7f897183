// Project text against system text (UTF-8 on this host) through the code
// page each conversion names.
#include <gtest/gtest.h>

#include "builder/engine/CodePage.h"
#include "platform/TextCodec.h"

TEST(CodePage, SystemTextBecomesCodePage1252AndBack) {
    std::string problem;
    const std::string text = "\u00A9 2026 Zo\u00EB, Acme\u2122 \u20AC";
    const std::optional<std::string> ansi = systemToAnsi(text, 1252, problem);
    ASSERT_TRUE(ansi) << problem;
    EXPECT_EQ(*ansi, "\xA9 2026 Zo\xEB, Acme\x99 \x80");
    EXPECT_EQ(ansiToSystem(*ansi, 1252), text);
    EXPECT_EQ(ansiToUtf8(*ansi, 1252), text);
    EXPECT_EQ(ansiToUtf16(*ansi, 1252), u"\u00A9 2026 Zo\u00EB, Acme\u2122 \u20AC");
}

TEST(CodePage, RefusalsNameTheCharacter) {
    std::string problem;
    EXPECT_FALSE(systemToAnsi("x\U0001F600", 1252, problem));
    EXPECT_EQ(problem, "\"\U0001F600\" (U+1F600) has no place in code page 1252");
    for (const char* invalid : {"caf\xE9", "\xED\xA0\x80"}) {  // Latin-1; an encoded surrogate
        EXPECT_FALSE(systemToAnsi(invalid, 1252, problem));
        EXPECT_EQ(problem, "the text is not valid UTF-8");
    }
}

TEST(CodePage, OnlyAnsiCodePagesTheSystemKnowsAreTaken) {
    for (unsigned refused : {0u, 1200u, 37u, 99999u}) EXPECT_FALSE(isProjectCodePage(refused)) << refused;
    EXPECT_EQ(defaultCodePage(), 1252u);
    // UTF-8 converts nothing at all.
    ASSERT_TRUE(isProjectCodePage(platform::kUtf8CodePage));
    std::string problem;
    EXPECT_EQ(systemToAnsi("\xFF\xFE", platform::kUtf8CodePage, problem), std::optional<std::string>("\xFF\xFE"));
    EXPECT_EQ(ansiToUtf8("\u65E5", platform::kUtf8CodePage), "\u65E5");
}

// Stored text is shown whatever it holds: bytes that form no character
// become U+FFFD, and the rest of the text survives.
TEST(CodePage, UndefinedBytesBecomeTheReplacementCharacter) {
    EXPECT_EQ(ansiToSystem("a\x81z", 1252), "a\uFFFDz");
    EXPECT_EQ(ansiToUtf16("\x93", 932), u"\uFFFD");  // a lead byte cut off at the end
    EXPECT_EQ(ansiToUtf16("\x93\xFA" "x\x93 y", 932), u"\u65E5x\uFFFD y");  // a lead byte without its trail byte
}
