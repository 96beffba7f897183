// The stubs' own text and list types and their bounded byte reader: the
// edges the launcher relies on, and what running out of memory does.
#include <gtest/gtest.h>

#include <climits>

#include "platform/ByteReader.h"
#include "platform/CommandLine.h"
#include "platform/List.h"
#include "platform/Text.h"
#include "platform/Unicode.h"
#include "tests/support/TextSupport.h"

TEST(ByteReader, AReadEndingAtTheEndSucceedsOneByteMoreFails) {
    const unsigned char data[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const struct {
        std::size_t width;
        bool (*read)(ByteReader&);
    } reads[] = {
        {1, [](ByteReader& r) { return r.u8() == 4 && r.ok(); }},
        {2, [](ByteReader& r) { return r.u16() == 0x0504 && r.ok(); }},
        {4, [](ByteReader& r) { return r.u32() == 0x07060504u && r.ok(); }},
        {5, [](ByteReader& r) {
             const char* bytes = r.take(5);
             return bytes && *bytes == 4 && r.ok();
         }},
        {5, [](ByteReader& r) { return r.skip(5) && r.ok(); }},
    };
    // From offset 3, reached by reads, by seek and by skip; the data ending
    // right after the read, or one byte before its end.
    for (const auto& read : reads)
        for (int form = 0; form < 3; ++form)
            for (std::size_t size : {3 + read.width, 2 + read.width}) {
                ByteReader r(data, size);
                if (form == 0 && r.u16() == 0x0201) r.u8();
                if (form == 1) r.seek(3);
                if (form == 2) r.skip(3);
                ASSERT_EQ(r.offset(), 3u);
                const bool ok = read.read(r);
                EXPECT_EQ(ok, size == 3 + read.width) << read.width << " " << form << " " << size;
                EXPECT_EQ(r.remaining(), 0u);
            }
    ByteReader r(data, 4);
    EXPECT_TRUE(r.seek(4));
    EXPECT_FALSE(r.seek(5));
}

TEST(Text, HoldsAnyByteAndStaysTerminated) {
    Text t("a\0b", 3);
    EXPECT_EQ(t.size(), 3u);
    EXPECT_EQ(t.c_str()[3], '\0');
    EXPECT_EQ(t.find('\0'), 1u);
    EXPECT_STREQ(Text().c_str(), "");
    t.resize(1);
    EXPECT_EQ(t, "a");
}

TEST(Text, AppendingFromItselfSurvivesGrowth) {
    Text t = "0123456789abcdef";  // exactly the first capacity
    t.append(t.data(), t.size());
    t += t;
    EXPECT_EQ(str(t), "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef");
}

TEST(Text, PartsAreClampedToTheText) {
    Text t = "abcdef";
    EXPECT_EQ(t.substr(4, 100), "ef");
    EXPECT_EQ(t.substr(6), "");
    EXPECT_EQ(t.substr(99), "");
    t.erase(4, 100);
    EXPECT_EQ(t, "abcd");
    t.erase(10);
    EXPECT_EQ(t, "abcd");
    t.replace(1, 2, "XYZ");
    EXPECT_EQ(t, "aXYZd");
    t.replace(5, 9, "!");
    EXPECT_EQ(t, "aXYZd!");
    EXPECT_EQ(t.find("Z"), 3u);
    EXPECT_EQ(t.find("d!x"), Text::npos);
    EXPECT_EQ(t.rfind('X'), 1u);
    EXPECT_EQ(t.findFirstOf("!d"), 4u);
    EXPECT_EQ(Text("  ").findFirstNotOf(' '), Text::npos);
}

TEST(Text, DecimalNumbers) {
    EXPECT_EQ(decimalText(0), "0");
    EXPECT_EQ(decimalText(-42), "-42");
    EXPECT_EQ(decimalText(LLONG_MIN), "-9223372036854775808");
    EXPECT_EQ(decimalText(ULLONG_MAX), "18446744073709551615");
}

TEST(Text, PackedTextsIncludingEmptyOnes) {
    const char list[] = "\0 (project)\0\0last\0";
    EXPECT_STREQ(packedText(list, 0), "");
    EXPECT_STREQ(packedText(list, 1), " (project)");
    EXPECT_STREQ(packedText(list, 2), "");
    EXPECT_STREQ(packedText(list, 3), "last");
}

TEST(List, InsertKeepsOrderAndCopiesAreDeep) {
    List<Text> list = {"b", "d"};
    list.insert(0, "a");
    list.insert(2, "c");
    list.insert(99, "e");
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    List<Text> copy = list;
    copy[0] += "!";
    EXPECT_EQ(list[0], "a");
    for (int i = 0; i < 100; ++i) list.push_back(list[0]);  // an element of the list itself
    EXPECT_EQ(list.size(), 105u);
    EXPECT_EQ(list.back(), "a");
    EXPECT_TRUE(list.contains("e"));
}

TEST(Memory, RunningOutEndsTheProcessWithAMessageAndCode1) {
    EXPECT_EXIT(
        {
            Text t;
            t.resize(static_cast<size_t>(-1) / 2);
        },
        ::testing::ExitedWithCode(1), "Out of memory");
    Text t;
    EXPECT_FALSE(t.tryResize(static_cast<size_t>(-1) / 2));
    EXPECT_TRUE(t.empty());
}

namespace {

std::vector<uint16_t> units(const char* utf8) {
    List<uint16_t> u = utf16FromUtf8(utf8);
    return std::vector<uint16_t>(u.begin(), u.end());
}

using Units = std::vector<uint16_t>;

}  // namespace

TEST(Unicode, Utf8ToJavaUnits) {
    EXPECT_EQ(units("a\xC3\xA9"), (Units{0x61, 0xE9}));
    EXPECT_EQ(units("\xE6\x97\xA5\xE6\x9C\xAC"), (Units{0x65E5, 0x672C}));
    EXPECT_EQ(units("\xF0\x9F\x98\x80"), (Units{0xD83D, 0xDE00}));  // a pair, not one garbled unit
}

TEST(Unicode, EachMaximalInvalidPartIsOneReplacement) {
    EXPECT_EQ(units("\x80x"), (Units{0xFFFD, 'x'}));
    EXPECT_EQ(units("\xC3"), (Units{0xFFFD}));
    EXPECT_EQ(units("\xF0\x9F\x98x"), (Units{0xFFFD, 'x'}));
    EXPECT_EQ(units("\xE0\x80\x80"), (Units{0xFFFD, 0xFFFD, 0xFFFD}));      // overlong
    EXPECT_EQ(units("\xED\xA0\x80"), (Units{0xFFFD, 0xFFFD, 0xFFFD}));      // an encoded surrogate
    EXPECT_EQ(units("\xF4\x90\x80\x80"), (Units{0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));  // beyond U+10FFFF
    EXPECT_EQ(units("\xC0\xAF\xFF"), (Units{0xFFFD, 0xFFFD, 0xFFFD}));
}

TEST(Unicode, Utf16ToUtf8) {
    const uint16_t text[] = {0xE9, 0xD83D, 0xDE00, 0xD800, 'x', 0xDC00};
    EXPECT_EQ(str(utf8FromUtf16(text, 6)), "\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBDx\xEF\xBF\xBD");
}

// Both ends of both surrogate ranges, and the units just outside them.
TEST(Unicode, SurrogateRangeEnds) {
    const uint16_t pairs[] = {0xD800, 0xDC00, 0xDBFF, 0xDFFF, 0xD7FF, 0xE000};
    EXPECT_EQ(str(utf8FromUtf16(pairs, 6)), "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\xED\x9F\xBF\xEE\x80\x80");
    const uint16_t lones[] = {0xD800, 0xDBFF, 0xDC00, 0xDFFF};
    for (uint16_t lone : lones) {
        const uint16_t text[] = {lone, 0xE000};
        EXPECT_EQ(str(utf8FromUtf16(text, 2)), "\xEF\xBF\xBD\xEE\x80\x80") << lone;
    }
    EXPECT_EQ(units("\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"), (Units{0xD800, 0xDC00, 0xDBFF, 0xDFFF}));
    EXPECT_EQ(units("\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"), (Units{0xD7FF, 0xE000, 0xFFFF}));
    EXPECT_EQ(units("\xED\xBF\xBF"), (Units{0xFFFD, 0xFFFD, 0xFFFD}));  // U+DFFF encoded
}

TEST(CommandLine, ArgumentsStartAfterTheProgramNameAndItsBlanks) {
    auto start = [](const char16_t* line) {
        return programNameLength(reinterpret_cast<const uint16_t*>(line));
    };
    EXPECT_EQ(start(u"app.exe  a b"), 9u);
    EXPECT_EQ(start(u"\"C:\\my apps\\app.exe\" a"), 21u);
    EXPECT_EQ(start(u"C:\\\"my apps\"\\app.exe\ta"), 21u);
    EXPECT_EQ(start(u"app.exe"), 7u);
    EXPECT_EQ(start(u"\"open quote a b"), 15u);
    EXPECT_EQ(start(u"\u00e9t\u00e9.exe a"), 8u);
}

TEST(CommandLine, AnAnsiByteFrom0x80UpEndsAnUnquotedProgramName) {
    EXPECT_EQ(programNameLength("\"C:\\my apps\\app.exe\" a"), 21u);
    EXPECT_EQ(programNameLength("C:\\\xE9t\xE9.exe a"), 4u);  // cut at the first 0xE9, which is skipped
    EXPECT_EQ(programNameLength("\"C:\\\xE9t\xE9.exe\" a"), 13u);
}
