#include <gtest/gtest.h>

#include "builder/engine/CodePage.h"
#include "builder/engine/Globals.h"
#include "builder/engine/VersionInfoBuilder.h"
#include "builder/engine/VersionText.h"
#include "platform/ByteReader.h"

namespace {

std::u16string wide(const std::string& s) {
    std::u16string w;
    for (char c : s) w.push_back(static_cast<unsigned char>(c));
    return w;
}

// Reads a zero-terminated UTF-16 key/value.
std::u16string readWide(ByteReader& in) {
    std::u16string s;
    for (;;) {
        std::uint16_t unit = in.u16();
        if (!in.ok() || unit == 0) return s;
        s.push_back(static_cast<char16_t>(unit));
    }
}

void align(ByteReader& in, std::size_t base = 0) {
    std::size_t pos = in.offset() - base;
    in.skip((4 - pos) & 3);
}

struct Header {
    std::uint16_t length, valueLength, type;
    std::u16string key;
};

Header readHeader(ByteReader& in) {
    Header h;
    h.length = in.u16();
    h.valueLength = in.u16();
    h.type = in.u16();
    h.key = readWide(in);
    return h;
}

// The builder as the compile step fills it, for the worked example.
VersionInfoBuilder workedExample() {
    VersionInfoBuilder b;
    const std::string exe = "MyProgram.exe";  // 13 characters
    b.setFileVersion(1, 0, 0, 0);
    b.setProductVersion(2, 0, 0, 0);
    // Given out of order on purpose: the layout sorts the keys.
    b.setString("ProductVersion", "2.0.0.0");
    b.setString("Comments", "");
    b.setString("CompanyName", "Tallowmark Inc ltd");
    b.setString("FileDescription", exe + ", built by Tallowmark Inc's, Caskit");
    b.setString("FileVersion", "1.0.0.0");
    b.setString("LegalCopyright", "Copyright (c) 2026");
    b.setString("LegalTrademarks", "Caskit is a brand.");
    b.setString("ProductName", exe);
    return b;
}

}  // namespace

TEST(VersionInfoBuilder, WorkedSizes) {
    std::string res = workedExample().layout();
    ASSERT_EQ(res.size(), 772u);
    ByteReader in(res.data(), res.size());
    Header root = readHeader(in);
    EXPECT_EQ(root.length, 772);
    EXPECT_EQ(root.valueLength, 52);
    EXPECT_EQ(root.type, 0);
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");
    align(in);
    EXPECT_EQ(in.offset(), 40u);
    std::uint32_t fixed[13];
    for (std::uint32_t& v : fixed) v = in.u32();
    EXPECT_EQ(fixed[0], 0xFEEF04BDu);
    EXPECT_EQ(fixed[1], 0x00010000u);
    EXPECT_EQ(fixed[2], 0x00010000u);  // 1.0
    EXPECT_EQ(fixed[3], 0u);           // .0.0
    EXPECT_EQ(fixed[4], 0x00020000u);  // 2.0
    EXPECT_EQ(fixed[5], 0u);
    EXPECT_EQ(fixed[6], 0x3Fu);
    EXPECT_EQ(fixed[7], 0u);
    EXPECT_EQ(fixed[8], 4u);
    EXPECT_EQ(fixed[9], 1u);
    EXPECT_EQ(fixed[10], 0u);
    EXPECT_EQ(fixed[11], 0u);
    EXPECT_EQ(fixed[12], 0u);
    EXPECT_EQ(in.offset(), 92u);

    Header sfi = readHeader(in);
    EXPECT_EQ(sfi.length, 612);
    EXPECT_EQ(sfi.valueLength, 0);
    EXPECT_EQ(sfi.type, 0);
    EXPECT_EQ(sfi.key, u"StringFileInfo");
    EXPECT_EQ(in.offset(), 92u + 36u);

    Header table = readHeader(in);
    EXPECT_EQ(table.length, 576);
    EXPECT_EQ(table.valueLength, 0);
    EXPECT_EQ(table.type, 1);
    EXPECT_EQ(table.key, u"040904B0");
    const std::size_t tableEnd = 92 + 36 + 576;

    struct Expected {
        const char16_t* key;
        std::string value;
        std::uint16_t length;
        std::size_t padded;
    };
    const Expected strings[] = {
        {u"Comments", "", 24, 24},
        {u"CompanyName", "Tallowmark Inc ltd", 70, 72},
        {u"FileDescription", "MyProgram.exe, built by Tallowmark Inc's, Caskit", 138, 140},
        {u"FileVersion", "1.0.0.0", 48, 48},
        {u"LegalCopyright", "Copyright (c) 2026", 74, 76},
        {u"LegalTrademarks", "Caskit is a brand.", 78, 80},
        {u"ProductName", "MyProgram.exe", 60, 60},
        {u"ProductVersion", "2.0.0.0", 52, 52},
    };
    for (const Expected& e : strings) {
        std::size_t start = in.offset();
        EXPECT_EQ(start % 4, 0u);
        Header s = readHeader(in);
        EXPECT_EQ(s.key, e.key);
        EXPECT_EQ(s.length, e.length) << std::string(s.key.begin(), s.key.end());
        EXPECT_EQ(s.type, 1);
        EXPECT_EQ(s.valueLength, e.value.empty() ? 0 : e.value.size() + 1);
        if (!e.value.empty()) {
            align(in);
            EXPECT_EQ(readWide(in), wide(e.value));
        }
        EXPECT_EQ(in.offset() - start, e.length);
        in.seek(start + e.padded);
    }
    EXPECT_EQ(in.offset(), tableEnd);

    Header var = readHeader(in);
    EXPECT_EQ(var.length, 68);
    EXPECT_EQ(var.valueLength, 0);
    EXPECT_EQ(var.type, 1);
    EXPECT_EQ(var.key, u"VarFileInfo");
    align(in);
    Header translation = readHeader(in);
    EXPECT_EQ(translation.length, 36);
    EXPECT_EQ(translation.valueLength, 4);
    EXPECT_EQ(translation.type, 0);
    EXPECT_EQ(translation.key, u"Translation");
    align(in);
    EXPECT_EQ(in.u16(), 0x0409);
    EXPECT_EQ(in.u16(), 0x04B0);
    EXPECT_TRUE(in.ok());
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(VersionInfoBuilder, PaddingBytesAreZero) {
    std::string res = workedExample().layout();
    // "CompanyName" is odd: 2 zero bytes between key and value, and 2 after
    // the 70-byte structure.
    std::size_t start = 92 + 36 + 24 + 24;
    EXPECT_EQ(res.substr(start + 6 + 24, 2), std::string(2, '\0'));
    EXPECT_EQ(res.substr(start + 70, 2), std::string(2, '\0'));
    EXPECT_EQ(res.substr(38, 2), std::string(2, '\0'));  // after "VS_VERSION_INFO"
}

TEST(VersionInfoBuilder, EmptyValueHasNoValueBytes) {
    VersionInfoBuilder b;
    b.setString("Comments", "");
    std::string res = b.layout();
    // root 92 + StringFileInfo 36 + table 24 + one String of 24 + 68.
    ASSERT_EQ(res.size(), 92u + 36 + 24 + 24 + 68);
    ByteReader in(res.data() + 152, 24);
    Header s = readHeader(in);
    EXPECT_EQ(s.length, 24);
    EXPECT_EQ(s.valueLength, 0);
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(VersionInfoBuilder, EvenKeyNeedsNoPadding) {
    VersionInfoBuilder b;
    b.setString("Key2", "v");  // 4 characters: value starts at 6 + 10 = 16
    std::string res = b.layout();
    ByteReader in(res.data() + 152, res.size() - 152);
    Header s = readHeader(in);
    EXPECT_EQ(in.offset(), 16u);
    EXPECT_EQ(readWide(in), u"v");
    EXPECT_EQ(s.length, 20);
    EXPECT_EQ(s.valueLength, 2);
}

// Values are converted from the project code page, not widened byte by
// byte: 0x80-0x9F of code page 1252 are not the C1 controls, and a
// double-byte code page gives fewer units than bytes.
TEST(VersionInfoBuilder, TextIsConvertedFromTheProjectCodePage) {
    struct Case {
        unsigned codePage;
        std::string value;
        std::u16string expected;
    };
    const Case cases[] = {
        {1252, "\xA9 X", u"\u00A9 X"},
        {1252, "Acme\x99", u"Acme\u2122"},
        {1252, "\x80 5", u"\u20AC 5"},
        {932, "\x93\xFA\x96\x7B", u"\u65E5\u672C"},
    };
    for (const Case& c : cases) {
        VersionInfoBuilder b;
        b.setCodePage(c.codePage);
        b.setString("LegalCopyright", c.value);  // 14 characters: the value starts at 36
        std::string res = b.layout();
        ByteReader in(res.data() + 152, res.size() - 152);
        Header s = readHeader(in);
        align(in);
        EXPECT_EQ(readWide(in), c.expected) << c.codePage;
        EXPECT_EQ(s.valueLength, c.expected.size() + 1) << c.codePage;
        EXPECT_EQ(s.length, 36 + 2 * (c.expected.size() + 1)) << c.codePage;
    }
}

TEST(VersionInfoBuilder, VersionPartsTakeTheirLow16Bits) {
    VersionInfoBuilder b;
    b.setFileVersion(65535, 1, 0x12345, 7);
    b.setProductVersion(static_cast<unsigned>(-1), 0, 0, 0);
    std::string res = b.layout();
    ByteReader in(res.data() + 48, 16);
    EXPECT_EQ(in.u32(), 0xFFFF0001u);
    EXPECT_EQ(in.u32(), 0x23450007u);
    EXPECT_EQ(in.u32(), 0xFFFF0000u);
    EXPECT_EQ(in.u32(), 0u);
}

TEST(VersionInfoBuilder, SettingAKeyTwiceKeepsTheSecondValue) {
    VersionInfoBuilder b;
    b.setString("Comments", "first");
    b.setString("Comments", "2nd");
    std::string res = b.layout();
    EXPECT_EQ(res.size(), 92u + 36 + 24 + 32 + 68);
    ByteReader in(res.data() + 152, 32);
    EXPECT_EQ(readHeader(in).length, 32);
    align(in);
    EXPECT_EQ(readWide(in), u"2nd");
}

TEST(VersionInfoBuilder, KeysAreOrderedByBytes) {
    VersionInfoBuilder b;
    b.setString("b", "1");
    b.setString("B", "2");
    b.setString("\xE9", "3");
    b.setString("a", "4");
    std::string res = b.layout();
    ByteReader in(res.data() + 152, res.size() - 152);
    std::u16string keys;
    for (int i = 0; i < 4; ++i) {
        std::size_t start = in.offset();
        Header s = readHeader(in);
        keys += s.key;
        in.seek(start + ((s.length + 3u) & ~3u));
    }
    EXPECT_EQ(keys, u"Bab\u00E9");
}

TEST(VersionInfoBuilder, EmptyTargetWritesNothingAndSucceeds) {
    VersionInfoBuilder b;
    EXPECT_TRUE(b.write());
}

TEST(VersionInfoBuilder, UnopenableTargetRaisesExeNotFound) {
    VersionInfoBuilder b;
    b.setTarget("/nonexistent-folder/app.exe");
    try {
        b.write();
        FAIL() << "no exception";
    } catch (const XException& e) {
        EXPECT_STREQ(e.what(), "exe not found");
    }
}

TEST(VersionInfoBuilder, OversizedTextIsRefusedNotWrapped) {
    VersionInfoBuilder b;
    b.setString("Comments", std::string(40000, 'x'));
    EXPECT_THROW(b.layout(), XException);
}

TEST(VersionText, UnsignedDecimalPartsJoinedByDots) {
    const std::int16_t defaults[4] = {1, 0, 0, 0};
    EXPECT_EQ(versionText(defaults), "1.0.0.0");
    // The same numbers the fixed information carries (0xFFFF, not -1).
    const std::int16_t extremes[4] = {-1, 32767, -32768, 10};
    EXPECT_EQ(versionText(extremes), "65535.32767.32768.10");
}
