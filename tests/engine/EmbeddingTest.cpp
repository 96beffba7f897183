// Compiling with a jar inside the executable and a project manifest: where
// the jar goes in each form, the main class taken from its manifest, the
// manifest written over the stub's own, the PE checksum, the console twin,
// the splash image in front of the jar or in its resource,
// and every bad input refused before anything is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "builder/engine/CompileInputs.h"
#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/ParameterTrailerWriter.h"
#include "builder/engine/PeResourceEditor.h"
#include "builder/ui/BoxReporter.h"
#include "launcher/ParameterTrailer.h"
#include "tests/engine/TestPe.h"
#include "tests/engine/TestZip.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextSupport.h"

using caskit_test::makeJar;
using caskit_test::makeZip;
using caskit_test::MessageRecorder;
using caskit_test::readFile;
using caskit_test::TempFolder;

namespace {

const std::string kElfStub = std::string("\x7f" "ELF linux stub") + std::string(4, '\0');
const std::string kManifestXml = "<assembly xmlns='urn:schemas-microsoft-com:asm.v1' manifestVersion='1.0'/>";

class EmbeddingTest : public ::testing::Test {
protected:
    // The builder's compile with the test's stub, its notes kept in `notices`.
    bool compile(const Project& p) {
        CompileRequest request(p);
        request.stubs = [this](unsigned id) -> std::optional<std::string> {
            requested.push_back(id);
            return stub;
        };
        BoxReporter reporter(nullptr);
        const bool compiled = ::compile(request, reporter);
        notices.insert(notices.end(), reporter.notes().begin(), reporter.notes().end());
        return compiled;
    }

    // A JDK 2.0 project saved in sub/ of the folder, embedding sub/app.jar.
    Project project(const std::string& jar, bool resources) {
        std::filesystem::create_directories(dir.file("sub"));
        Project p(resources);
        p.setProjectVersion(2);
        p.setExeFolder(dir.folder());
        p.setExeName("app.exe");
        p.projectPath = dir.file("sub/p.csk");
        p.setExtended(&ExtendedSettings::embeddedJar, std::string("app.jar"));
        dir.write("sub/app.jar", jar);
        return p;
    }

    TempFolder dir;
    std::string stub = caskit_test::makeHandPe({});
    std::vector<unsigned> requested;
    std::vector<std::string> notices;
};

}  // namespace

TEST_F(EmbeddingTest, LinuxLauncherHoldsTheJarBeforeItsTrailerAndTakesTheManifestsMainClass) {
    stub = kElfStub;
    const std::string jar = makeJar("app.FromJar");
    Project p = project(jar, false);
    ASSERT_TRUE(compile(p));
    const std::string block = buildParameterBlock(p, "app.FromJar");
    EXPECT_NE(block.find("\nclassname\napp.FromJar\n"), std::string::npos);
    EXPECT_NE(block.find("\nembeddedjar\n1\n"), std::string::npos);
    EXPECT_EQ(readFile(dir.file("app.exe")), kElfStub + jar + encodeParameterTrailer(block));
    EXPECT_EQ(notices, std::vector<std::string>{"main class app.FromJar, from the manifest of " + dir.file("sub/app.jar")});
}

TEST_F(EmbeddingTest, WindowsExecutableHoldsTheJarAfterItsResourcesWithTheManifestAndARightChecksum) {
    const std::string jar = makeJar("app.FromJar");
    Project p = project(jar, true);
    p.setMainClass("app.Own");  // the project's own main class wins
    dir.write("sub/app.manifest", kManifestXml);
    p.setExtended(&ExtendedSettings::manifestPath, std::string("app.manifest"));
    ASSERT_TRUE(compile(p));
    EXPECT_TRUE(notices.empty());

    const std::string file = readFile(dir.file("app.exe"));
    ASSERT_GT(file.size(), jar.size());
    EXPECT_EQ(file.substr(file.size() - jar.size()), jar);
    PeResourceEditor image;
    ASSERT_TRUE(image.load(file)) << image.error();
    std::map<std::pair<int, int>, std::string> found;
    for (const auto& e : image.resources()) found[{e.first.type.id, e.first.name.id}] = e.second.bytes;
    EXPECT_EQ(found[std::make_pair(24, 1)], kManifestXml);
    EXPECT_EQ(found[std::make_pair(1000, 2)], buildParameterBlock(p));
    constexpr std::size_t kChecksum = caskit_test::kHandOptional + 64;
    EXPECT_EQ(caskit_test::get32(file, kChecksum), peChecksum(file, kChecksum));
    // The trailer form: stub, jar, trailer, and the checksum made right too.
    p.resourceUpdateAvailable = false;
    ASSERT_TRUE(compile(p));
    const std::string trailerForm = readFile(dir.file("app.exe"));
    const std::string block = buildParameterBlock(p);
    EXPECT_EQ(trailerForm.substr(stub.size(), jar.size()), jar);
    EXPECT_EQ(readParameterTrailer(dir.file("app.exe")), block);
    EXPECT_EQ(caskit_test::get32(trailerForm, kChecksum), peChecksum(trailerForm, kChecksum));
}

TEST_F(EmbeddingTest, SourceDateEpochStampsOnlyTheHeadersOfAFileOverTheStubCap) {
    // Stub, jar and trailer together over 256 MB: stamped, with a checksum
    // right for the whole file (the jar's archive behind 256 MB - 4 KB of
    // other data, as Java's zip reader allows).
    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    stub += std::string(8192, '\0');
    ASSERT_TRUE(compile(project(std::string(kMaxEmbeddedJarSize - 4096, 'j') + makeJar("big.Main"), false)));
    unsetenv("SOURCE_DATE_EPOCH");
    const std::string file = readFile(dir.file("app.exe"));
    ASSERT_GT(file.size(), 256u << 20);
    const std::size_t stamp = caskit_test::kHandPeOffset + 8, checksum = caskit_test::kHandOptional + 64;
    EXPECT_EQ(caskit_test::get32(file, stamp), 1700000000u);
    EXPECT_EQ(caskit_test::get32(file, checksum), peChecksum(file, checksum));
}

TEST_F(EmbeddingTest, ConsoleProgramsUseTheConsoleTwin) {
    Project p = project(makeJar("a.B"), true);
    p.setExtended(&ExtendedSettings::consoleProgram, true);
    EXPECT_EQ(stubResourceId(p), kStub12ConsoleResourceId);
    ASSERT_TRUE(compile(p));
    EXPECT_EQ(requested, std::vector<unsigned>{115});
    p.setProjectVersion(1);  // no JDK 1.1 console launcher, no jar for it
    MessageRecorder messages;
    EXPECT_FALSE(compile(p));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("A console program is made from the JDK 2.0 launcher", 0), 0u);
}

TEST_F(EmbeddingTest, BadInputIsNamedAndLeavesThePreviousExecutable) {
    const std::string damagedManifest = makeZip({{"META-INF/MANIFEST.MF", "Main-Class app.Main\n", true}});
    const std::string jarPath = dir.file("sub/app.jar"), xmlPath = dir.file("sub/app.manifest");
    const struct {
        std::string jar, manifest, expected;
    } cases[] = {
        {"not a zip", "", "The jar " + jarPath + " cannot be embedded: not a zip archive, or cut short"},
        {makeJar("app.Main").substr(0, 100), "", "The jar " + jarPath + " cannot be embedded: not a zip archive"},
        {damagedManifest, "", "The jar " + jarPath + " has a damaged manifest (META-INF/MANIFEST.MF): a line is not"},
        {makeZip({{"a.txt", "x"}}), "",
         "The project names no main class, and the manifest of the jar " + jarPath + " is missing."},
        {makeJar("app.Main"), "<assembly>", "The application manifest " + xmlPath +
                                                " is not well-formed XML: line 1: the document ends inside <assembly>"},
        {makeJar("app.Main"), "<a>" + std::string(64 << 10, ' ') + "</a>",
         "The application manifest " + xmlPath + " is larger than 64 KB (65543 bytes)"},
        {makeJar(std::string("a\0b", 3)), "", "The Main-Class \"a\\0b\" in the manifest of the jar " + jarPath + " is"},
        {makeZip({{"META-INF/MANIFEST.MF", "Main-Class: a.B\n"}}, std::string(50000, 'c')), "",
         "The jar " + jarPath + " cannot be embedded: 66384 bytes would follow the end of its archive"},
    };
    for (const auto& c : cases) {
        const std::string previous = "the previous executable";
        caskit_test::writeFile(dir.file("app.exe"), previous);
        Project p = project(c.jar, true);
        if (!c.manifest.empty()) {
            dir.write("sub/app.manifest", c.manifest);
            p.setExtended(&ExtendedSettings::manifestPath, std::string("app.manifest"));
        }
        MessageRecorder messages;
        EXPECT_FALSE(compile(p)) << c.expected;
        ASSERT_EQ(messages.shown.size(), 1u) << c.expected;
        EXPECT_EQ(messages.shown[0].text.rfind(c.expected, 0), 0u) << messages.shown[0].text;
        EXPECT_EQ(readFile(dir.file("app.exe")), previous);
        EXPECT_FALSE(dir.holdsNameEndingIn(".compiling"));
    }
}

TEST_F(EmbeddingTest, SplashImageGoesInFrontOfTheJarOrIntoItsResourceWhenItIsAWholeImage) {
    const std::string ihdr("IHDR\0\0\0\x10\0\0\0\x10\x08\x02\0\0\0", 17);
    const std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0d", 12) + ihdr + "crc!" +
                            std::string("\0\0\0\0IEND", 8) + "crc!";
    const std::string gif = std::string("GIF89a\x01\0\x01\0\x80\0\0", 13) + std::string(6, '\0') +
                            std::string("\x2c\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0\x3b", 16);
    const std::string jpeg = std::string("\xFF\xD8\xFF\xE0\0\x04" "ab\xFF\xDA\0\x03s", 13) + "data\xFF\xD9";
    const std::string splashPath = dir.file("sub/splash.img");
    const auto withSplash = [&](const std::string& image, bool resources) {
        Project p = project(makeJar("app.Main"), resources);
        dir.write("sub/splash.img", image);
        p.setExtended(&ExtendedSettings::splashImage, std::string("splash.img"));
        return p;
    };
    for (const std::string& image : {png, gif, jpeg}) {
        stub = kElfStub;
        Project p = withSplash(image, false);
        ASSERT_TRUE(compile(p));
        const std::string block = buildParameterBlock(p, "app.Main") + splashImageRecord(stub.size(), image.size());
        EXPECT_EQ(readFile(dir.file("app.exe")),
                  stub + image + readFile(dir.file("sub/app.jar")) + encodeParameterTrailer(block));
    }
    stub = caskit_test::makeHandPe({});
    Project p = withSplash(gif, true);
    ASSERT_TRUE(compile(p));
    PeResourceEditor image;
    ASSERT_TRUE(image.load(readFile(dir.file("app.exe")))) << image.error();
    std::map<std::pair<int, int>, std::string> found;
    for (const auto& e : image.resources()) found[{e.first.type.id, e.first.name.id}] = e.second.bytes;
    EXPECT_EQ(found[std::make_pair(1000, 3)], gif);
    EXPECT_EQ(found[std::make_pair(1000, 2)], buildParameterBlock(p, "app.Main") + "splashimage\n0\n" + std::to_string(gif.size()) + "\n");

    const struct {
        std::string image, problem;
    } refused[] = {
        {"BM a bitmap", "is not a PNG, GIF or JPEG image"},
        {png.substr(0, png.size() - 12), "is not a whole PNG image"},
        {gif.substr(0, gif.size() - 1), "is not a whole GIF image"},
        {gif.substr(0, 30), "is not a whole GIF image"},
        {jpeg.substr(0, jpeg.size() - 2), "is not a whole JPEG image"},
        {std::string("\xFF\xD8\xFF\xE0\0\x01", 6) + "data\xFF\xD9", "is not a whole JPEG image"},
    };
    for (const auto& c : refused) {
        caskit_test::writeFile(dir.file("app.exe"), "the previous executable");
        MessageRecorder messages;
        EXPECT_FALSE(compile(withSplash(c.image, false))) << c.problem;
        ASSERT_EQ(messages.shown.size(), 1u) << c.problem;
        EXPECT_EQ(messages.shown[0].text.rfind("The splash image " + splashPath + " " + c.problem, 0), 0u)
            << messages.shown[0].text;
        EXPECT_EQ(readFile(dir.file("app.exe")), "the previous executable");
    }
}
