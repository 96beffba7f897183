#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "builder/engine/IconLoading.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/ProjectRecord.h"
#include "builder/ui/BoxReporter.h"
#include "platform/ByteWriter.h"
#include "tests/engine/TestIcon.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempFolder.h"

using caskit_test::MessageRecorder;
using caskit_test::readFile;
using caskit_test::TempFolder;
using caskit_test::writeFile;

namespace {

// What saving and opening report, shown as the builder shows it.
BoxReporter boxes(nullptr);

// A project with every field away from its default.
Project fullProject() {
    Project p(false);
    p.setProjectVersion(2);
    p.reserved = 0;
    p.setExeName("app.exe");
    p.setExeFolder("C:\\out\\");
    p.userDefinedVm = true;
    p.setVmLibraryPath("C:\\jdk\\jre\\bin\\classic\\jvm.dll");
    p.setMainClass("com.example.Start");
    p.setArguments("-v \"two words\"\r\nnext");
    p.listAdd(ProjectList::ClassPath, ".\\lib\\a.jar");
    p.listAdd(ProjectList::ClassPath, "b.jar");
    p.listAdd(ProjectList::Properties, "x=1");
    p.listAdd(ProjectList::Environment, "MODE=fast");
    p.listAdd(ProjectList::Environment, "MODE=fast");
    p.setClassPathMode(1);
    p.setVerifyOption(2);
    p.setAsyncGcEnabled(true);
    p.setClassGcEnabled(true);
    p.setJitEnabled(true);
    p.setConsoleWindow(true);
    p.setRouteConsole(true);
    p.setMinHeap(2048);
    p.setMaxHeap(4294967295u);
    p.setMaxNativeStack(0);
    p.setMaxJavaStack(77);
    p.versionInfoEnabled = true;
    p.setFileVersion(1, 2, 3, -4);
    p.setProductVersion(32767, -32768, 0, 9);
    p.setCompanyName("Tallowmark \xA9");
    p.setLegalCopyright("(c) 2026");
    p.setLegalTrademarks("TM");
    p.setComments("a comment");
    return p;
}

void expectSameSettings(const Project& a, const Project& b) {
    EXPECT_EQ(serializeProject(a), serializeProject(b));
    EXPECT_EQ(a.getProjectVersion(), b.getProjectVersion());
    EXPECT_EQ(a.exeName(), b.exeName());
    EXPECT_EQ(a.exeFolder(), b.exeFolder());
    EXPECT_EQ(a.userDefinedVm, b.userDefinedVm);
    EXPECT_EQ(a.vmLibraryPath(), b.vmLibraryPath());
    EXPECT_EQ(a.mainClass(), b.mainClass());
    EXPECT_EQ(a.arguments(), b.arguments());
    for (ProjectList l : {ProjectList::ClassPath, ProjectList::Properties, ProjectList::Environment})
        EXPECT_EQ(a.listEntries(l), b.listEntries(l));
    EXPECT_EQ(a.classPathMode(), b.classPathMode());
    EXPECT_EQ(a.verifyOption(), b.verifyOption());
    EXPECT_EQ(a.asyncGcEnabled(), b.asyncGcEnabled());
    EXPECT_EQ(a.classGcEnabled(), b.classGcEnabled());
    EXPECT_EQ(a.jitEnabled(), b.jitEnabled());
    EXPECT_EQ(a.consoleWindow(), b.consoleWindow());
    EXPECT_EQ(a.routeConsole(), b.routeConsole());
    EXPECT_EQ(a.minHeap(), b.minHeap());
    EXPECT_EQ(a.maxHeap(), b.maxHeap());
    EXPECT_EQ(a.maxNativeStack(), b.maxNativeStack());
    EXPECT_EQ(a.maxJavaStack(), b.maxJavaStack());
    EXPECT_EQ(a.versionInfoEnabled, b.versionInfoEnabled);
    std::int16_t v1[4], v2[4];
    a.getFileVersion(v1[0], v1[1], v1[2], v1[3]);
    b.getFileVersion(v2[0], v2[1], v2[2], v2[3]);
    EXPECT_TRUE(std::equal(v1, v1 + 4, v2));
    a.getProductVersion(v1[0], v1[1], v1[2], v1[3]);
    b.getProductVersion(v2[0], v2[1], v2[2], v2[3]);
    EXPECT_TRUE(std::equal(v1, v1 + 4, v2));
    EXPECT_EQ(a.companyName(), b.companyName());
    EXPECT_EQ(a.legalCopyright(), b.legalCopyright());
    EXPECT_EQ(a.legalTrademarks(), b.legalTrademarks());
    EXPECT_EQ(a.comments(), b.comments());
    EXPECT_EQ(a.largeIconPath(), b.largeIconPath());
    EXPECT_EQ(a.smallIconPath(), b.smallIconPath());
}

std::string defaultJdk11Record() {
    Project p(false);
    p.setProjectVersion(1);
    return serializeProject(p);
}

}  // namespace

TEST(ProjectFile, DefaultProjectIs111BytesLaidOutInOrder) {
    std::string bytes = defaultJdk11Record();
    ASSERT_EQ(bytes.size(), 111u);
    ByteWriter w;
    w.u32(0);  // reserved
    w.u32(1);  // JDK 1.1
    w.u32(0);  // exe name
    w.u32(0);  // exe folder
    w.u8(0);   // user-defined VM
    w.u32(0);  // VM library
    w.u32(0);  // main class
    w.u32(0);  // arguments
    w.u32(0);  // class path
    w.u32(0);  // properties
    w.u32(0);  // environment
    w.u32(0);  // Append
    w.u32(0);  // RemoteOnly
    w.zeros(5);  // five switches
    w.u32(1024);
    w.u32(16384);
    w.u32(128);
    w.u32(512);
    w.u8(0);  // version info
    for (int i = 0; i < 2; ++i) {
        w.u16(1);
        w.u16(0);
        w.u16(0);
        w.u16(0);
    }
    w.zeros(6 * 4);  // company .. small icon path
    EXPECT_EQ(bytes, w.data());
}

TEST(ProjectFile, Jdk20DefaultsDifferOnlyInTheVersion) {
    Project jdk20(false);
    jdk20.setProjectVersion(2);
    std::string expected = defaultJdk11Record();
    expected[4] = 2;
    EXPECT_EQ(serializeProject(jdk20), expected);
}

TEST(ProjectFile, EncodesStringsAndListsWithLengths) {
    Project p(false);
    p.setProjectVersion(2);
    p.setExeName("ab");
    p.listAdd(ProjectList::ClassPath, "x");
    p.listAdd(ProjectList::ClassPath, "");
    std::string bytes = serializeProject(p);
    EXPECT_EQ(bytes.substr(8, 6), std::string("\x02\0\0\0ab", 6));
    // class path: count 2, "x", then the empty entry as a bare length 0.
    const std::size_t cp = 8 + 6 + 4 + 1 + 4 + 4 + 4;
    EXPECT_EQ(bytes.substr(cp, 4 + 5 + 4), std::string("\x02\0\0\0\x01\0\0\0x\0\0\0\0", 13));
}

TEST(ProjectFile, RoundTripKeepsEveryField) {
    Project original = fullProject();
    Project copy(false);
    ASSERT_TRUE(parseProjectRecord(copy, serializeProject(original)));
    expectSameSettings(original, copy);
}

TEST(ProjectFile, EmptyEntriesDoNotSurvive) {
    Project p(false);
    p.listAdd(ProjectList::Properties, "");
    p.listAdd(ProjectList::Properties, "a=b");
    Project copy(false);
    ASSERT_TRUE(parseProjectRecord(copy, serializeProject(p)));
    EXPECT_EQ(copy.listEntries(ProjectList::Properties), std::vector<std::string>{"a=b"});
}

TEST(ProjectFile, ReservedIsDroppedAndVersionKeptAsStored) {
    std::string bytes = defaultJdk11Record();
    bytes.replace(0, 4, "\xDE\xAD\xBE\xEF");
    bytes[4] = 7;
    Project p(false);
    ASSERT_TRUE(parseProjectRecord(p, bytes));
    EXPECT_EQ(p.getProjectVersion(), 7);
    EXPECT_EQ(p.reserved, 0);
}

TEST(ProjectFile, StringsStopAtTheirFirstZeroByte) {
    ProjectRecord r;
    r.mainClass = std::string("app.Main\0junk", 13);
    r.exeName = std::string("\0x", 2);
    r.classPath = {std::string("a.jar\0b", 7), std::string("\0lost", 5)};
    Project p(false);
    ASSERT_TRUE(parseProjectRecord(p, encodeProjectRecord(r)));
    EXPECT_EQ(p.mainClass(), "app.Main");
    EXPECT_EQ(p.exeName(), "");
    EXPECT_EQ(p.listEntries(ProjectList::ClassPath), std::vector<std::string>{"a.jar"});
}

TEST(ProjectFile, AnyNonZeroBooleanIsTrue) {
    std::string bytes = defaultJdk11Record();
    bytes[16] = 2;  // userDefinedVm
    Project p(false);
    ASSERT_TRUE(parseProjectRecord(p, bytes));
    EXPECT_TRUE(p.userDefinedVm);
}

TEST(ProjectFile, NegativeCountIsAnEmptyList) {
    std::string bytes = defaultJdk11Record();
    bytes.replace(29, 4, "\xFF\xFF\xFF\xFF");  // class-path count -1
    Project p(false);
    ASSERT_TRUE(parseProjectRecord(p, bytes));
    EXPECT_EQ(p.listCount(ProjectList::ClassPath), 0);
}

TEST(ProjectFile, EveryCutFails) {
    std::string full = serializeProject(fullProject());
    for (std::size_t n = 0; n < full.size(); ++n) {
        Project p(false);
        EXPECT_FALSE(parseProjectRecord(p, full.substr(0, n))) << "cut at " << n;
        // The short copy must also fail on its own heap block (ASan sees
        // any read past it).
        std::string exact(full.data(), n);
        EXPECT_FALSE(decodeProjectRecord(exact).has_value());
    }
    Project p(false);
    EXPECT_TRUE(parseProjectRecord(p, full));
    // Bytes after the last field that are no extension are damage.
    EXPECT_FALSE(parseProjectRecord(p = Project(false), full + "trailing"));
}

TEST(ProjectFile, HugeLengthsAndCountsFailWithoutAllocating) {
    const std::string base = defaultJdk11Record();
    auto fails = [&base](std::size_t offset, const char* value) {
        std::string bytes = base;
        bytes.replace(offset, 4, value, 4);
        Project p(false);
        return !parseProjectRecord(p, bytes);
    };
    // String lengths (exe name at 8, company at 87): 4 GiB - 1, 2 GiB - 1,
    // 1 GiB, and just past the end.
    for (std::size_t offset : {std::size_t(8), std::size_t(87), std::size_t(107)}) {
        for (const char* value : {"\xFF\xFF\xFF\xFF", "\xFF\xFF\xFF\x7F", "\x00\x00\x00\x40", "\x05\x00\x00\x00"})
            EXPECT_TRUE(fails(offset, value)) << offset;
    }
    // Counts (class path at 29, environment at 37): positive counts larger
    // than the entries that could follow. (Negative counts are empty lists.)
    for (std::size_t offset : {std::size_t(29), std::size_t(37)}) {
        for (const char* value : {"\xFF\xFF\xFF\x7F", "\x00\x00\x00\x40", "\x70\x00\x00\x00"})
            EXPECT_TRUE(fails(offset, value)) << offset;
    }
}

TEST(ProjectFile, CountLargerThanItsEntriesFails) {
    ProjectRecord r;
    r.properties = {"a=1", "b=2"};
    std::string bytes = encodeProjectRecord(r);
    // properties count sits after 8 + 4 + 4 + 1 + 12 + class-path count 4.
    std::size_t at = 8 + 4 + 4 + 1 + 12 + 4;
    ASSERT_EQ(bytes[at], 2);
    bytes[at] = 3;
    Project p(false);
    EXPECT_FALSE(parseProjectRecord(p, bytes));
}

TEST(ProjectFile, SaveAndOpenThroughRealFiles) {
    TempFolder dir;
    Project original = fullProject();
    original.projectPath = dir.file("Start.csk");
    ASSERT_TRUE(original.modified);
    ASSERT_TRUE(saveProject(original, boxes));
    EXPECT_FALSE(original.modified);
    EXPECT_EQ(readFile(original.projectPath), serializeProject(original));
    EXPECT_FALSE(std::filesystem::exists(original.projectPath + ".saving"));

    Project opened(false);
    ASSERT_TRUE(openProject(opened, original.projectPath, boxes));
    EXPECT_FALSE(opened.modified);
    EXPECT_EQ(opened.projectPath, original.projectPath);
    expectSameSettings(original, opened);
}

TEST(ProjectFile, UnmodifiedProjectIsNotWritten) {
    TempFolder dir;
    Project p(false);
    p.projectPath = dir.file("never.csk");
    EXPECT_TRUE(saveProject(p, boxes));
    EXPECT_FALSE(std::filesystem::exists(p.projectPath));
    Project untitled(false);  // no file and nothing to save
    MessageRecorder messages;
    EXPECT_TRUE(saveProject(untitled, boxes));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ProjectFile, UntitledProjectIsNotWrittenAndSaysNothing) {
    // The builder asks for a name first; without one the engine writes nothing.
    Project p(false);
    p.setMainClass("com.example.Start");
    MessageRecorder messages;
    EXPECT_FALSE(saveProject(p, boxes));
    EXPECT_TRUE(p.modified);
    EXPECT_TRUE(p.projectPath.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(openProject(p, "", boxes));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ProjectFile, ProposedNameIsTheLastPartOfTheMainClass) {
    EXPECT_EQ(proposedProjectFileName("com.example.Start"), "Start.csk");
    EXPECT_EQ(proposedProjectFileName("Start"), "Start.csk");
    EXPECT_EQ(proposedProjectFileName(""), "");
}

TEST(ProjectFile, SaveIntoMissingFolderReportsAndKeepsModified) {
    TempFolder dir;
    Project p = fullProject();
    p.projectPath = dir.file("missing/p.csk");
    MessageRecorder messages;
    EXPECT_FALSE(saveProject(p, boxes));
    EXPECT_TRUE(p.modified);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Creating Project File");
    EXPECT_FALSE(messages.shown[0].text.empty());
    EXPECT_EQ(messages.shown[0].style & 0xF0, 0x30u);
}

TEST(ProjectFile, FailedSaveLeavesThePreviousFileIntact) {
    TempFolder dir;
    const std::string path = dir.file("keep.csk");
    writeFile(path, "previous contents");
    Project p = fullProject();
    p.projectPath = path;
    // A write that fails part-way: a file size limit, in a child process.
    const auto failedSave = [&p] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit;
        limit.rlim_cur = limit.rlim_max = 16;
        setrlimit(RLIMIT_FSIZE, &limit);
        MessageRecorder messages;
        const bool saved = saveProject(p, boxes);
        return !saved && p.modified && messages.shown.size() == 1 &&
               messages.shown[0].caption == "Error Creating Project File";
    };
    EXPECT_EXIT(std::exit(failedSave() ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(path), "previous contents");
    EXPECT_FALSE(dir.holdsNameEndingIn(".saving"));
}

// Saving through a link replaces the file it names, which keeps its mode;
// links planted at names a temporary might take are never written through.
TEST(ProjectFile, SaveKeepsTheModeAndTheLinkAndWritesThroughNoPlantedName) {
    TempFolder dir;
    const std::string real = dir.file("real.csk");
    writeFile(real, "previous");
    ASSERT_EQ(chmod(real.c_str(), 0400), 0);
    ASSERT_EQ(symlink(real.c_str(), dir.file("p.csk").c_str()), 0);
    writeFile(dir.file("victim"), "mine");
    for (const std::string& name : {std::string("p.csk.saving"), std::string("real.csk.saving")})
        ASSERT_EQ(symlink(dir.file("victim").c_str(), dir.file(name).c_str()), 0);
    Project p = fullProject();
    p.projectPath = dir.file("p.csk");
    ASSERT_TRUE(saveProject(p, boxes));
    EXPECT_EQ(readFile(real), serializeProject(p));
    EXPECT_EQ(readFile(dir.file("victim")), "mine");
    struct stat st;
    ASSERT_EQ(lstat(dir.file("p.csk").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0400u);
}

TEST(ProjectFile, SaveReplacesAnExistingFileCompletely) {
    TempFolder dir;
    const std::string path = dir.file("p.csk");
    writeFile(path, std::string(5000, 'x'));
    Project p(false);
    p.setProjectVersion(1);
    p.modified = true;
    p.projectPath = path;
    ASSERT_TRUE(saveProject(p, boxes));
    EXPECT_EQ(readFile(path).size(), 111u);
}

TEST(ProjectFile, OpenMissingFileReports) {
    TempFolder dir;
    Project p(false);
    MessageRecorder messages;
    EXPECT_FALSE(openProject(p, dir.file("nope.csk"), boxes));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Creating Project File");
}

TEST(ProjectFile, OpenDamagedFileFailsSilently) {
    TempFolder dir;
    const std::string path = dir.file("cut.csk");
    std::string full = serializeProject(fullProject());
    writeFile(path, full.substr(0, full.size() / 2));
    Project p(false);
    MessageRecorder messages;
    EXPECT_FALSE(openProject(p, path, boxes));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ProjectFile, UnreadableIconFileStillOpensWithTheIconEmpty) {
    TempFolder dir;
    Project p(false);
    p.setProjectVersion(2);
    p.setMainClass("Main");
    std::string bytes = serializeProject(p);
    // Patch the two icon paths in: the record ends with their lengths.
    bytes.resize(bytes.size() - 8);
    ByteWriter w;
    const std::string large = dir.file("missing.ico"), small = dir.file("notes.txt");
    writeFile(small, "not an icon");
    w.u32(static_cast<std::uint32_t>(large.size()));
    w.bytes(large);
    w.u32(static_cast<std::uint32_t>(small.size()));
    w.bytes(small);
    const std::string path = dir.file("icons.csk");
    writeFile(path, bytes + w.data());

    Project opened(false);
    ASSERT_TRUE(openProject(opened, path, boxes));
    EXPECT_EQ(opened.largeIconPath(), large);
    EXPECT_EQ(opened.smallIconPath(), small);
    EXPECT_EQ(opened.largeIcon(), nullptr);
    EXPECT_TRUE(opened.smallIcon() == nullptr || opened.smallIcon()->bytes.empty());
    EXPECT_FALSE(opened.modified);
}

TEST(ProjectFile, IconImagesAreRebuiltFromTheirFilesOnOpen) {
    TempFolder dir;
    std::vector<std::string> images;
    writeFile(dir.file("app.ico"), testIconFile(&images));
    Project p(false);
    p.setProjectVersion(2);
    loadIcon(p, IconSlot::Large, dir.file("app.ico"));
    loadIcon(p, IconSlot::Small, dir.file("app.ico"));
    p.projectPath = dir.file("icons.csk");
    ASSERT_TRUE(saveProject(p, boxes));
    // Only the paths are stored, not the images.
    EXPECT_EQ(readFile(p.projectPath).size(), 111u + 2 * dir.file("app.ico").size());

    Project opened(false);
    ASSERT_TRUE(openProject(opened, p.projectPath, boxes));
    EXPECT_FALSE(opened.modified);  // although the icon setters ran
    ASSERT_NE(opened.largeIcon(), nullptr);
    ASSERT_NE(opened.smallIcon(), nullptr);
    EXPECT_EQ(opened.largeIcon()->bytes, images[0]);
    EXPECT_EQ(opened.smallIcon()->bytes, images[1]);
}
