// Reading a jar to embed: its end record (with data in front and behind,
// as in an executable), its manifest stored or deflated, and every kind
// of damage the compile must name; the manifest's main section.
#include <gtest/gtest.h>

#include "builder/engine/JarArchive.h"
#include "builder/engine/JarManifest.h"
#include "tests/engine/TestZip.h"

using caskit_test::makeJar;
using caskit_test::makeZip;

namespace {

const std::string kManifest = "Manifest-Version: 1.0\r\nMain-Class: app.Main\r\n\r\n";

std::string errorOf(const std::string& bytes) {
    JarContents contents;
    std::string error;
    EXPECT_FALSE(readJar(bytes, contents, error));
    return error;
}

std::string mainClassOf(const std::string& manifest) {
    std::string mainClass, error;
    EXPECT_TRUE(manifestMainClass(manifest, mainClass, error)) << error;
    return mainClass;
}

std::string manifestErrorOf(const std::string& manifest) {
    std::string mainClass, error;
    EXPECT_FALSE(manifestMainClass(manifest, mainClass, error));
    return error;
}

}  // namespace

TEST(JarArchive, ReadsAStoredAndADeflatedManifest) {
    for (bool deflated : {false, true}) {
        JarContents contents;
        std::string error;
        ASSERT_TRUE(readJar(makeJar("app.Main", deflated), contents, error)) << error;
        EXPECT_TRUE(contents.hasManifest);
        EXPECT_EQ(contents.manifest, kManifest);
        EXPECT_EQ(contents.entries, 2u);
        EXPECT_EQ(contents.bytesAfterEnd, 0u);
    }
}

TEST(JarArchive, FindsTheArchiveBehindAnExecutableAndBeforeATrailer) {
    const std::string jar = makeZip({{"META-INF/MANIFEST.MF", kManifest, true}}, "a comment");
    const std::string front = "MZ" + std::string(5000, 'x');
    const std::string trailer = "settings\n" + std::string(4, '\0');
    JarContents contents;
    std::string error;
    ASSERT_TRUE(readJar(front + jar + trailer, contents, error)) << error;
    EXPECT_EQ(contents.manifest, kManifest);
    EXPECT_EQ(contents.endRecordOffset, front.size() + jar.size() - 22 - 9);
    EXPECT_EQ(contents.bytesAfterEnd, 9 + trailer.size());
}

TEST(JarArchive, AJarWithoutManifestHasNone) {
    JarContents contents;
    std::string error;
    ASSERT_TRUE(readJar(makeZip({{"a.txt", "text"}}), contents, error)) << error;
    EXPECT_FALSE(contents.hasManifest);
}

TEST(JarArchive, TakesTheManifestNameWithoutRegardToCaseLikeJava) {
    JarContents contents;
    std::string error;
    ASSERT_TRUE(readJar(makeZip({{"meta-inf/manifest.mf", kManifest}}), contents, error)) << error;
    EXPECT_EQ(contents.manifest, kManifest);
    // The exact name wins over one that differs in case.
    ASSERT_TRUE(readJar(makeZip({{"META-INF/MANIFEST.MF", "Main-Class: exact\n"}, {"meta-inf/Manifest.mf", "x"}}),
                        contents, error));
    EXPECT_EQ(contents.manifest, "Main-Class: exact\n");
}

TEST(JarArchive, NamesWhatIsWrong) {
    EXPECT_EQ(errorOf("PK\x03\x04 not really a zip"), "not a zip archive, or cut short: it has no zip end record");
    const std::string jar = makeJar("app.Main");
    // Cut short at any length: refused, never read past the bytes.
    for (std::size_t n = 0; n < jar.size(); ++n) {
        JarContents contents;
        std::string error;
        EXPECT_FALSE(readJar(jar.substr(0, n), contents, error)) << n;
        EXPECT_FALSE(error.empty());
    }

    std::string damaged = makeJar("app.Main");
    damaged[50] = static_cast<char>(damaged[50] ^ 0x55);  // inside the deflated manifest
    EXPECT_NE(errorOf(damaged).find("the manifest META-INF/MANIFEST.MF cannot be read: "), std::string::npos);

    std::string stored = makeZip({{"META-INF/MANIFEST.MF", kManifest}});
    stored[30 + 20 + 14] = 'X';  // one byte of the text: the check sum no longer matches
    EXPECT_EQ(errorOf(stored),
              "the manifest META-INF/MANIFEST.MF cannot be read: its check sum does not match its contents");

    std::string counted = makeJar("app.Main");
    counted[counted.size() - 22 + 10] = 3;  // three entries announced, two present
    EXPECT_EQ(errorOf(counted), "the archive's directory is damaged: entry 3 of 3 is missing");

    std::string zip64 = makeJar("app.Main");
    zip64.insert(zip64.size() - 22, std::string("PK\x06\x07", 4) + std::string(16, '\0'));
    EXPECT_NE(errorOf(zip64).find("ZIP64"), std::string::npos);
}

TEST(JarManifest, TakesMainClassFromTheMainSectionOnly) {
    EXPECT_EQ(mainClassOf(kManifest), "app.Main");
    EXPECT_EQ(mainClassOf("main-class:  spaced.Main \n"), "spaced.Main");
    EXPECT_EQ(mainClassOf("Main-Class: a.very.long.packa\n ge.Main\r\nX: y\r\n"), "a.very.long.package.Main");
    EXPECT_EQ(mainClassOf("Manifest-Version: 1.0\rMain-Class: cr.Main\r"), "cr.Main");
    EXPECT_EQ(mainClassOf("Main-Class: last.Line"), "last.Line");
    EXPECT_EQ(mainClassOf("Manifest-Version: 1.0\n\nName: x.class\nMain-Class: not.This\n"), "");
    EXPECT_EQ(mainClassOf(""), "");
}

TEST(JarManifest, RefusesWhatJavaRefuses) {
    EXPECT_EQ(manifestErrorOf("Manifest-Version: 1.0\nMain-Class app.Main\n"),
              "a line is not a header \"Name: value\" (line 2)");
    EXPECT_EQ(manifestErrorOf("Main-Class:app.Main\n"), "a line is not a header \"Name: value\" (line 1)");
    EXPECT_EQ(manifestErrorOf(" continued\n"), "a continuation line follows no header (line 1)");
    EXPECT_EQ(manifestErrorOf("Main Class: x\n"),
              "the header name \"Main Class\" holds a character other than letters, digits, - and _ (line 1)");
    EXPECT_EQ(manifestErrorOf("A: " + std::string(509, 'v') + "\n"), "a line is longer than 512 bytes (line 1)");
    EXPECT_EQ(manifestErrorOf("A: b\n\nMain-Class: x\n"),
              "a section after the main one does not begin with a Name header (line 3)");
    EXPECT_TRUE(mainClassOf("A: " + std::string(508, 'v') + "\n").empty());
}
