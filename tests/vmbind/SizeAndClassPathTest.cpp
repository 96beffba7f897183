// Size numbers (atol rule, 32-bit) and the class-path texts of both VM
// starts, with the entries resolved against the executable's folder and
// the wildcards expanded.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>

#include "tests/launcher/CurrentDirectory.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextSupport.h"
#include "vmbind/ClassPathText.h"
#include "vmbind/SizeNumber.h"

TEST(SizeNumber, ReadsLikeAtol) {
    EXPECT_EQ(parseSizeNumber("1024"), 1024);
    EXPECT_EQ(parseSizeNumber("  \t-5x"), -5);
    EXPECT_EQ(parseSizeNumber("+7"), 7);
    EXPECT_EQ(parseSizeNumber("007"), 7);
    EXPECT_EQ(parseSizeNumber("abc"), 0);
    EXPECT_EQ(parseSizeNumber(""), 0);
    EXPECT_EQ(parseSizeNumber("-"), 0);
    EXPECT_EQ(parseSizeNumber("12 34"), 12);
}

TEST(SizeNumber, SaturatesBeyondThirtyTwoBits) {
    EXPECT_EQ(parseSizeNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(parseSizeNumber("99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(parseSizeNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(parseSizeNumber("-99999999999999999999999"), INT32_MIN);
}

TEST(SizeNumber, KilobytesToBytesIn32BitArithmetic) {
    EXPECT_EQ(kilobytesToBytes(128), 131072);
    EXPECT_EQ(kilobytesToBytes(400), 409600);
    EXPECT_EQ(kilobytesToBytes(1024), 1048576);
    EXPECT_EQ(kilobytesToBytes(16384), 16777216);
    EXPECT_EQ(kilobytesToBytes(0), 0);
    EXPECT_EQ(kilobytesToBytes(-1), -1024);
    EXPECT_EQ(kilobytesToBytes(2097151), 2147482624);
    EXPECT_EQ(kilobytesToBytes(2097152), INT32_MIN);  // wraps like the runtime's 32-bit integers
    EXPECT_EQ(kilobytesToBytes(4194304), 0);
    // The builders refuse a JDK 1.1 size above this limit: the last one that does not wrap.
    EXPECT_GT(kilobytesToBytes(static_cast<int32_t>(kLargestJdk11Kilobytes)), 0);
    EXPECT_LT(kilobytesToBytes(static_cast<int32_t>(kLargestJdk11Kilobytes + 1)), 0);
}

TEST(ClassPathText, JoinPutsASeparatorAfterEveryEntry) {
    EXPECT_EQ(joinClassPath({}, ';'), "");
    EXPECT_EQ(joinClassPath({"a"}, ';'), "a;");
    EXPECT_EQ(joinClassPath({".\\lib\\app.jar", ".", "C:\\x.jar"}, ';'), ".\\lib\\app.jar;.;C:\\x.jar;");
    EXPECT_EQ(joinClassPath({"a", "", "a"}, ':'), "a::a:");
}

TEST(ClassPathText, Jdk12AddsTheClassLibraryOnlyForTheRegisteredRuntime) {
    EXPECT_EQ(jdk12ClassPathText("#internal#", "C:\\jre\\lib\\rt.jar", "", ';'), ".;C:\\jre\\lib\\rt.jar;");
    EXPECT_EQ(jdk12ClassPathText("#internal#", "C:\\jre\\lib\\rt.jar", "a;b;", ';'), ".;C:\\jre\\lib\\rt.jar;a;b;");
    EXPECT_EQ(jdk12ClassPathText("#internal#", "", "a;", ';'), ".;a;");
    EXPECT_EQ(jdk12ClassPathText("C:\\vm\\jvm.dll", "C:\\jre\\lib\\rt.jar", "a;", ';'), ".;a;");
    EXPECT_EQ(jdk12ClassPathText("", "C:\\jre\\lib\\rt.jar", "", ';'), ".;");
    EXPECT_EQ(jdk12ClassPathText("#INTERNAL#", "rt.jar", "", ';'), ".;");
    EXPECT_EQ(jdk12ClassPathText("/usr/lib/jvm/lib/server/libjvm.so", "", "app.jar:", ':'), ".:app.jar:");
}

TEST(ClassPathText, Jdk11EndsWithTheVmDefault) {
    EXPECT_EQ(jdk11ClassPathText("", "C:\\jdk\\lib\\classes.zip", ';'), ".;C:\\jdk\\lib\\classes.zip");
    EXPECT_EQ(jdk11ClassPathText("a;b;", "D", ';'), ".;a;b;D");
    EXPECT_EQ(jdk11ClassPathText("a;", nullptr, ';'), ".;a;");
    EXPECT_EQ(jdk11ClassPathText("", nullptr, ';'), ".;");
}

namespace {

std::string vmText(const std::string& classPath, const std::string* base,
                   std::vector<std::string>* unlisted = nullptr) {
    Text baseText = base ? text(*base) : Text();
    List<Text> missing;
    Text result = vmClassPathText(text(classPath), base ? &baseText : nullptr, ':', missing);
    if (unlisted) *unlisted = strs(missing);
    return str(result);
}

// The names of a folder in the order the system lists them.
std::vector<std::string> listed(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    return names;
}

}  // namespace

TEST(ClassPathText, InTheExecutablesFolderTheTextStaysAsItIs) {
    EXPECT_EQ(vmText(".:classes:.:/extra/dir:", nullptr), ".:classes:.:/extra/dir:");
    EXPECT_EQ(vmText(".:a::b", nullptr), ".:a::b");
}

TEST(ClassPathText, InTheCallersFolderEveryRelativeEntryIsMadeAbsolute) {
    const std::string base = "/opt/app/";
    EXPECT_EQ(vmText(".:classes:./lib/a.jar:/abs/b.jar:.:", &base),
                     "/opt/app/:/opt/app/classes:/opt/app/./lib/a.jar:/abs/b.jar:/opt/app/:/opt/app/");
    EXPECT_EQ(vmText(".:a::b", &base), "/opt/app/:/opt/app/a:/opt/app/:/opt/app/b");
}

TEST(ClassPathText, AFinalStarStandsForTheJarsDirectlyInItsFolder) {
    caskit_test::TempFolder t;
    std::filesystem::create_directories(t.file("lib/sub"));
    std::filesystem::create_directories(t.file("a*b"));
    for (const char* name : {"lib/one.jar", "lib/Two.JAR", "lib/notes.txt", "lib/three.Jar", "lib/jar",
                             "lib/sub/deep.jar", "a*b/x.jar", "top.jar"})
        t.write(name, "");
    std::vector<std::string> jars;
    for (const std::string& name : listed(t.file("lib")))
        if (name == "one.jar" || name == "Two.JAR") jars.push_back(t.file("lib/") + name);
    ASSERT_EQ(jars.size(), 2u);
    const std::string base = t.folder();
    EXPECT_EQ(vmText(".:lib/*:", &base), base + ":" + jars[0] + ":" + jars[1] + ":" + base);
    EXPECT_EQ(vmText(t.file("lib/*"), nullptr), jars[0] + ":" + jars[1]);
    {
        // A lone "*" with the executable's folder current: its jars by name.
        launcher_test::CurrentDirectory inLib(t.file("lib"));
        const std::size_t folder = t.file("lib/").size();
        EXPECT_EQ(vmText("*:x", nullptr), jars[0].substr(folder) + ":" + jars[1].substr(folder) + ":x");
    }
    // Alone, the folder the entries are resolved against; a "*" elsewhere is literal.
    EXPECT_EQ(vmText("*:a*b/x.jar:lib/*.jar:lib/o*", &base),
              t.file("top.jar") + ":" + t.file("a*b/x.jar") + ":" + t.file("lib/*.jar") + ":" + t.file("lib/o*"));
    // No jar: no entry.
    EXPECT_EQ(vmText(".:lib/sub/*:a*b/*", &base), base + ":" + t.file("lib/sub/deep.jar") + ":" + t.file("a*b/x.jar"));
    EXPECT_EQ(vmText(".:" + t.file("lib/sub/deep.jar") + "/*:x", nullptr), ".:x");
}

TEST(ClassPathText, AFolderThatCannotBeListedGivesNoEntries) {
    const std::string base = "/no/such/";
    std::vector<std::string> unlisted;
    EXPECT_EQ(vmText(".:lib/*:b.jar", &base, &unlisted), "/no/such/:/no/such/b.jar");
    EXPECT_EQ(unlisted, (std::vector<std::string>{"/no/such/lib/*"}));
}

TEST(ClassPathText, ThousandsOfJarsInOneFolder) {
    caskit_test::TempFolder t;
    for (int i = 0; i < 3000; ++i) t.write("j" + std::to_string(i) + ".jar", "");
    const std::string expanded = vmText(t.file("*"), nullptr);
    EXPECT_EQ(std::count(expanded.begin(), expanded.end(), ':'), 2999);
    EXPECT_EQ(expanded.rfind(t.file("j"), 0), 0u);
}
