// The Windows stubs' own byte and string functions (stubs/ByteFunctions.cpp),
// built here under other names: the test program keeps the C library's.
#include <gtest/gtest.h>

extern "C" {
void* stubMemcpy(void* to, const void* from, size_t n);
void* stubMemmove(void* to, const void* from, size_t n);
void* stubMemset(void* to, int value, size_t n);
int stubMemcmp(const void* a, const void* b, size_t n);
size_t stubStrlen(const char* s);
char* stubStrchr(const char* s, int c);
}

TEST(ByteFunctions, MoveCopiesOverlappingBytesInEitherDirection) {
    char up[] = "abcdefgh";
    EXPECT_EQ(stubMemmove(up + 2, up, 5), up + 2);
    EXPECT_STREQ(up, "ababcdeh");
    char down[] = "abcdefgh";
    stubMemmove(down, down + 2, 5);
    EXPECT_STREQ(down, "cdefgfgh");
}

TEST(ByteFunctions, CopyFillAndCompare) {
    char text[] = "xxxxxx";
    EXPECT_EQ(stubMemcpy(text, "abc", 3), text);
    EXPECT_EQ(stubMemset(text + 3, 'z', 2), text + 3);
    EXPECT_STREQ(text, "abczzx");
    EXPECT_EQ(stubMemcmp("abc", "abd", 2), 0);
    EXPECT_LT(stubMemcmp("abc", "abd", 3), 0);
    EXPECT_GT(stubMemcmp("\x80", "\x7f", 1), 0);  // bytes compare unsigned
    EXPECT_EQ(stubMemcmp("a", "b", 0), 0);
}

TEST(ByteFunctions, LengthAndCharacterSearch) {
    const char* text = "a=b=c";
    EXPECT_EQ(stubStrlen(text), 5u);
    EXPECT_EQ(stubStrlen(""), 0u);
    EXPECT_EQ(stubStrchr(text, '='), text + 1);
    EXPECT_EQ(stubStrchr(text, '\0'), text + 5);  // the terminator is found
    EXPECT_EQ(stubStrchr(text, 'x'), nullptr);
}
