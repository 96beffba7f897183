#include <gtest/gtest.h>

#include <algorithm>

#include "builder/engine/ProjectExtension.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/ProjectRecord.h"
#include "builder/engine/SettingTable.h"
#include "platform/ByteWriter.h"
#include "tests/engine/TestSettings.h"

namespace {

std::string record(std::uint32_t tag, const std::string& value) {
    ByteWriter out;
    out.u32(tag);
    out.u32(static_cast<std::uint32_t>(value.size()));
    out.bytes(value);
    return out.take();
}

std::string u32(std::uint32_t v) {
    ByteWriter out;
    out.u32(v);
    return out.take();
}

// The magic and length in front of `records`.
std::string extension(const std::string& records) { return "CSKX" + u32(static_cast<std::uint32_t>(records.size())) + records; }

bool decodes(const std::string& bytes) {
    ExtendedSettings e;
    return decodeProjectExtension(bytes.data(), bytes.size(), e);
}

}  // namespace

TEST(ProjectExtension, DefaultsWriteNothingAndTheFileStaysTheOriginalRecord) {
    EXPECT_EQ(encodeProjectExtension(ExtendedSettings()), "");
    Project p(false);
    p.setProjectVersion(1);
    EXPECT_EQ(serializeProject(p).size(), 111u);
    // A setting set back to its default leaves no record either.
    p.setExtended(&ExtendedSettings::startupCache, true);
    p.setExtended(&ExtendedSettings::startupCache, false);
    EXPECT_EQ(serializeProject(p).size(), 111u);
}

TEST(ProjectExtension, WorkedExampleBytes) {
    ExtendedSettings e;
    e.jvmOptions = {"-Xss2m"};
    e.workingFolder = 1;
    const std::string expected = std::string("CSKX") + u32(34) + record(1, u32(1) + u32(6) + "-Xss2m") + record(9, u32(1));
    EXPECT_EQ(encodeProjectExtension(e), expected);
}

TEST(ProjectExtension, EverySettingSurvivesSaveAndLoad) {
    // The table drives writer and reader: a setting missing from either
    // comes back at its default. Each row names a field of its own, and
    // equality sees it.
    const ExtendedSettings full = fullSettings();
    const std::vector<SettingInfo>& table = settingTable();
    for (const SettingInfo& s : table) {
        ExtendedSettings one;
        setAway(s, one);
        const auto away = std::count_if(table.begin(), table.end(), [&](auto& r) { return !isDefault(r, one); });
        EXPECT_TRUE(away == 1 && one != ExtendedSettings()) << s.name;
    }
    ProjectRecord r;
    r.projectVersion = 2;
    r.extended = full;
    std::optional<ProjectRecord> back = decodeProjectRecord(encodeProjectRecord(r));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->extended == full);
    // And through a Project, as the builder and caskit load and save.
    Project p(false);
    ASSERT_TRUE(parseProjectRecord(p, encodeProjectRecord(r)));
    EXPECT_TRUE(p.extended() == full);
    EXPECT_EQ(serializeProject(p), encodeProjectRecord(r));
}

TEST(ProjectExtension, RecordsOfALaterVersionAreKeptInTagOrder) {
    const std::string bytes = extension(record(2, "17") + record(40, "future") + record(41, ""));
    ExtendedSettings e;
    ASSERT_TRUE(decodeProjectExtension(bytes.data(), bytes.size(), e));
    EXPECT_EQ(e.javaMinVersion, "17");
    ASSERT_EQ(e.unknownRecords.size(), 2u);
    EXPECT_EQ(encodeProjectExtension(e), bytes);
    // A known setting added later still goes before them.
    e.productName = "P";
    EXPECT_EQ(encodeProjectExtension(e),
              extension(record(2, "17") + record(11, "P") + record(40, "future") + record(41, "")));
}

TEST(ProjectExtension, MalformedExtensionsFail) {
    EXPECT_TRUE(decodes(""));
    EXPECT_TRUE(decodes(extension("")));
    EXPECT_FALSE(decodes("CSKX"));
    EXPECT_FALSE(decodes("CSKY" + u32(0)));
    EXPECT_FALSE(decodes("trailing"));
    EXPECT_FALSE(decodes(extension(record(2, "17")) + "x"));           // more than the length says
    EXPECT_FALSE(decodes(extension(record(3, "21") + record(2, "17"))));  // out of order
    EXPECT_FALSE(decodes(extension(record(2, "17") + record(2, "17"))));  // repeated
    EXPECT_FALSE(decodes(extension(record(5, std::string(1, '\2')))));     // switch 2
    EXPECT_FALSE(decodes(extension(record(5, ""))));                       // switch without its byte
    EXPECT_FALSE(decodes(extension(record(12, "abc"))));                   // number of 3 bytes
    EXPECT_FALSE(decodes(extension(record(9, u32(2)))));                   // no third working folder
    EXPECT_FALSE(decodes(extension(record(2, std::string("1\0" "7", 3)))));  // zero byte in text
    EXPECT_FALSE(decodes(extension(record(1, u32(2) + u32(2) + "-a"))));   // fewer entries than counted
    EXPECT_FALSE(decodes(extension(record(1, u32(1) + u32(2) + "-a" + "x"))));  // bytes left over
    EXPECT_FALSE(decodes(extension(record(1, u32(1) + u32(0)))));           // empty entry
    EXPECT_FALSE(decodes(extension(record(1, u32(0xFFFFFFFF)))));           // count beyond the bytes
    EXPECT_TRUE(decodes(extension(record(5, std::string(1, '\0')))));      // a default stored is fine
}

TEST(ProjectExtension, EveryCutOfAnExtendedFileFails) {
    ProjectRecord r;
    r.projectVersion = 2;
    r.extended = fullSettings();
    const std::string full = encodeProjectRecord(r);
    const std::size_t original = encodeProjectRecord(ProjectRecord()).size();
    for (std::size_t n = original + 1; n < full.size(); ++n) {
        std::string cut(full.data(), n);
        EXPECT_FALSE(decodeProjectRecord(cut).has_value()) << "cut at " << n;
    }
}
