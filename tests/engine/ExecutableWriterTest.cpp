// Compiling: the trailer form (the stub image followed by the parameter
// trailer), the resource form written by the portable editor on Linux, and
// the temporary file that replaces the target only when everything is in.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

#include "builder/engine/IconLoading.h"
#include "builder/engine/CodePage.h"
#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/IconGroupDirectory.h"
#include "builder/engine/PeResourceEditor.h"
#include "builder/engine/PeImage.h"
#include "builder/engine/VersionInfoBuilder.h"
#include "builder/ui/BoxReporter.h"
#include "launcher/ParameterTrailer.h"
#include "platform/ByteWriter.h"
#include "tests/engine/TestIcon.h"
#include "tests/engine/TestPe.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextSupport.h"

using caskit_test::MessageRecorder;
using caskit_test::readFile;
using caskit_test::TempFolder;
using caskit_test::writeFile;

namespace {

// Stub images as the stub source hands them out: distinct bytes per id,
// ending like an unconfigured stub with an empty trailer.
std::string fakeStub(unsigned id) { return "MZ stub image " + std::to_string(id) + std::string(4, '\0'); }

// An output that runs each step unless `allow` says no: that step then
// fails as a real failure would.
class StepOutput : public CompileOutput {
public:
    explicit StepOutput(std::function<bool(CompileStep)> allow) : allow_(std::move(allow)) {}
    bool run(CompileStep step, const Write& write, std::string& error) override {
        if (allow_(step)) return write(error);
        error = std::string("the ") + compileStepName(step) + " step was made to fail";
        return false;
    }

private:
    std::function<bool(CompileStep)> allow_;
};

class ExecutableWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("SOURCE_DATE_EPOCH");
        stubs = [this](unsigned id) -> std::optional<std::string> {
            requested.push_back(id);
            if (id == kStub11ResourceId || id == kStub12ResourceId) return fakeStub(id);
            return std::nullopt;
        };
    }

    // The builder's compile, with the test's stubs and output, its
    // messages shown as the builder shows them.
    bool compile(const Project& p) {
        CompileRequest request(p);
        request.stubs = stubs;
        request.output = output;
        BoxReporter reporter(nullptr);
        return ::compile(request, reporter);
    }

    Project project(std::int32_t version) {
        Project p(false);
        p.setProjectVersion(version);
        p.setExeFolder(dir.folder());
        p.setExeName("app.exe");
        p.setMainClass("app.Main");
        return p;
    }

    TempFolder dir;
    std::vector<unsigned> requested;
    StubSource stubs;
    CompileOutput* output = nullptr;
};

ResourceKey idKey(std::uint16_t type, std::uint16_t id) { return {ResourceName::number(type), ResourceName::number(id), 0}; }

std::string lengthWord(std::size_t n) {
    ByteWriter w;
    w.u32(static_cast<std::uint32_t>(n));
    return w.data();
}

}  // namespace

TEST_F(ExecutableWriterTest, TrailerFormIsStubThenBlockThenLength) {
    Project p = project(2);
    MessageRecorder messages;
    ASSERT_TRUE(compile(p));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(requested, std::vector<unsigned>{114});
    const std::string block = buildParameterBlock(p);
    EXPECT_EQ(readFile(dir.file("app.exe")), fakeStub(114) + block + lengthWord(block.size()));
    // The launcher's own reader finds the same block.
    EXPECT_EQ(readParameterTrailer(dir.file("app.exe")), block);
}

TEST_F(ExecutableWriterTest, Jdk11UsesStub113) {
    Project p = project(1);
    ASSERT_TRUE(compile(p));
    EXPECT_EQ(requested, std::vector<unsigned>{113});
    EXPECT_EQ(readFile(dir.file("app.exe")).rfind(fakeStub(113), 0), 0u);
}

TEST_F(ExecutableWriterTest, UnknownVersionWritesNoStub) {
    Project p = project(7);
    MessageRecorder messages;
    EXPECT_FALSE(compile(p));
    EXPECT_TRUE(requested.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("app.exe")));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExecutableWriterTest, SecondCompileReplacesTheFirstCompletely) {
    Project p = project(2);
    p.setArguments(std::string(3000, 'a'));
    ASSERT_TRUE(compile(p));
    p.setArguments("short");
    ASSERT_TRUE(compile(p));
    const std::string block = buildParameterBlock(p);
    EXPECT_EQ(readFile(dir.file("app.exe")), fakeStub(114) + block + lengthWord(block.size()));
}

TEST_F(ExecutableWriterTest, UncreatableTargetReportsAndStops) {
    Project p = project(2);
    p.setExeFolder(dir.folder() + "missing/");
    MessageRecorder messages;
    EXPECT_FALSE(compile(p));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
    EXPECT_FALSE(messages.shown[0].text.empty());
    EXPECT_EQ(messages.shown[0].style & 0xF0, 0x30u);
}

TEST_F(ExecutableWriterTest, EmptyExeNameTargetsTheFolderAndFails) {
    Project p = project(2);
    p.setExeName("");
    MessageRecorder messages;
    EXPECT_FALSE(compile(p));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
}

TEST_F(ExecutableWriterTest, MissingStubStopsSilently) {
    stubs = [](unsigned) -> std::optional<std::string> { return std::nullopt; };
    Project p = project(2);
    MessageRecorder messages;
    EXPECT_FALSE(compile(p));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("app.exe")));
}

// A link planted where a fixed temporary name would be is passed by.
TEST_F(ExecutableWriterTest, APlantedLinkBesideTheTargetIsNotWrittenThrough) {
    writeFile(dir.file("victim"), "mine");
    ASSERT_EQ(symlink(dir.file("victim").c_str(), dir.file("app.exe.compiling").c_str()), 0);
    Project p = project(2);
    MessageRecorder messages;
    ASSERT_TRUE(compile(p));
    EXPECT_EQ(readFile(dir.file("victim")), "mine");
    EXPECT_EQ(readParameterTrailer(dir.file("app.exe")), buildParameterBlock(p));
}

TEST_F(ExecutableWriterTest, StubThatIsNoPeFileFailsTheResourceFormVisibly) {
    // Without the marker and the block the launcher would run on defaults:
    // reported, and neither the target nor the temporary file is left.
    Project p = project(2);
    p.resourceUpdateAvailable = true;
    MessageRecorder messages;
    EXPECT_FALSE(compile(p));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
    EXPECT_NE(messages.shown[0].text.find("not an executable whose resources can be changed"), std::string::npos) << messages.shown[0].text;
    EXPECT_FALSE(std::filesystem::exists(dir.file("app.exe")));
    EXPECT_FALSE(dir.holdsNameEndingIn(".compiling"));
}

// A signed stub's certificate table would sit between the stub and the
// settings: it goes, with a note that is no error, before either form.
TEST_F(ExecutableWriterTest, ASignedStubLosesItsSignatureAndTheResultStartsWithItsSettings) {
    caskit_test::HandPe o;
    o.overlay = std::string(8, '\0') + "certificate tabl";  // empty trailer, alignment, the table
    std::string stub = caskit_test::makeHandPe(o);
    caskit_test::put32(stub, caskit_test::kHandOptional + 112 + 4 * 8, static_cast<std::uint32_t>(stub.size() - 16));
    caskit_test::put32(stub, caskit_test::kHandOptional + 112 + 4 * 8 + 4, 16);
    stubs = [&stub](unsigned) -> std::optional<std::string> { return stub; };
    for (bool resources : {false, true}) {
        Project p = project(2);
        p.resourceUpdateAvailable = resources;
        MessageRecorder messages;
        ASSERT_TRUE(compile(p)) << resources;
        ASSERT_EQ(messages.shown.size(), 1u) << resources;
        EXPECT_EQ(messages.shown[0].text, "the stub's signature was removed; sign the executable after compiling");
        EXPECT_EQ(messages.shown[0].caption, "Compile Project");
        EXPECT_EQ(messages.shown[0].style, platform::kMbOk | platform::kMbIconInformation);
        const std::string out = readFile(dir.file("app.exe"));
        PeImage image;
        std::string error;
        ASSERT_TRUE(readPeImage(out, image, error)) << error;
        EXPECT_FALSE(image.certificates.present()) << resources;
        EXPECT_EQ(out.find("certificate tabl"), std::string::npos) << resources;
        if (resources) {
            PeResourceEditor e;
            ASSERT_TRUE(e.load(out)) << e.error();
            EXPECT_EQ(e.resources().at(idKey(1000, 2)).bytes, buildParameterBlock(p));
        } else {
            EXPECT_EQ(readParameterTrailer(dir.file("app.exe")), buildParameterBlock(p));
        }
    }
}

TEST_F(ExecutableWriterTest, UpdateParameterResourceFailsQuietlyOnANonPeFile) {
    writeFile(dir.file("x.exe"), fakeStub(114));
    MessageRecorder messages;
    EXPECT_FALSE(updateParameterResource(dir.file("x.exe"), 2, "block"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(readFile(dir.file("x.exe")), fakeStub(114));
}

namespace {

// A project in the resource form on a PE stub made by hand, with the
// version block and both icons.
class ResourceFormTest : public ExecutableWriterTest {
protected:
    void SetUp() override {
        unsetenv("SOURCE_DATE_EPOCH");
        stubs = [](unsigned) -> std::optional<std::string> { return caskit_test::makeHandPe({}); };
    }
    void TearDown() override { unsetenv("SOURCE_DATE_EPOCH"); }
    Project fullProject() {
        Project p = project(2);
        p.resourceUpdateAvailable = true;
        p.versionInfoEnabled = true;
        p.setCompanyName("Tallowmark");
        p.setFileVersion(1, 2, 3, -1);
        writeFile(dir.file("app.ico"), testIconFile());
        loadIcon(p, IconSlot::Large, dir.file("app.ico"));
        loadIcon(p, IconSlot::Small, dir.file("app.ico"));
        return p;
    }
};

}  // namespace

TEST_F(ResourceFormTest, LinuxWritesMarkerBlockVersionAndIconsInPlaceOfTheStubsOwn) {
    Project p = fullProject();
    MessageRecorder messages;
    ASSERT_TRUE(compile(p));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(dir.holdsNameEndingIn(".compiling"));

    PeResourceEditor out;
    ASSERT_TRUE(out.load(readFile(dir.file("app.exe")))) << out.error();
    std::map<ResourceKey, std::string> found;
    for (const auto& e : out.resources()) found[e.first] = e.second.bytes;
    VersionInfoBuilder version;
    version.setFileVersion(1, 2, 3, 65535);
    version.setProductVersion(1, 0, 0, 0);
    version.setString("Comments", "");
    version.setString("CompanyName", "Tallowmark");
    version.setString("FileDescription", "app.exe, built by Tallowmark Inc's, Caskit");
    version.setString("FileVersion", "1.2.3.65535");
    version.setString("LegalCopyright", "");
    version.setString("LegalTrademarks", "");
    version.setString("ProductName", "app.exe");
    version.setString("ProductVersion", "1.0.0.0");
    const std::map<ResourceKey, std::string> expected = {
        {{ResourceName::string(u"EXE"), ResourceName::number(113), 0}, "stub image"},
        {idKey(1000, 1), "resbased"},
        {idKey(1000, 2), buildParameterBlock(p)},
        {idKey(16, 1), version.layout()},
        {idKey(3, 0), p.largeIcon()->bytes},
        {idKey(3, 1), p.smallIcon()->bytes},
        {idKey(14, 0), buildIconGroupDirectory({p.largeIcon(), p.smallIcon()}, 0)},
    };
    EXPECT_EQ(found, expected);
    // No trailer: the file ends with the new resource section's padding.
    EXPECT_EQ(readParameterTrailer(dir.file("app.exe")), "");
}

TEST_F(ResourceFormTest, TheTimeStampIsTheStubsOwnOrSourceDateEpoch) {
    using caskit_test::get32;
    constexpr std::size_t kTimeStamp = caskit_test::kHandPeOffset + 8;
    constexpr std::size_t kChecksum = caskit_test::kHandOptional + 64;
    const Project p = fullProject();
    ASSERT_TRUE(compile(p));
    const std::string first = readFile(dir.file("app.exe"));
    EXPECT_EQ(get32(first, kTimeStamp), get32(caskit_test::makeHandPe({}), kTimeStamp));
    ASSERT_TRUE(compile(p));
    EXPECT_EQ(readFile(dir.file("app.exe")), first);

    setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    ASSERT_TRUE(compile(p));
    const std::string stamped = readFile(dir.file("app.exe"));
    EXPECT_EQ(get32(stamped, kTimeStamp), 1700000000u);
    EXPECT_EQ(get32(stamped, kChecksum), peChecksum(stamped, kChecksum));
    EXPECT_EQ(stamped.substr(kTimeStamp + 4, kChecksum - kTimeStamp - 4), first.substr(kTimeStamp + 4, kChecksum - kTimeStamp - 4));

    for (const char* bad : {"17e8", "4294967296", "-1"}) {
        setenv("SOURCE_DATE_EPOCH", bad, 1);
        MessageRecorder messages;
        EXPECT_FALSE(compile(p)) << bad;
        ASSERT_EQ(messages.shown.size(), 1u) << bad;
        EXPECT_EQ(messages.shown[0].text, std::string("SOURCE_DATE_EPOCH is \"") + bad +
                                              "\", not a number of seconds since 1970 before the year 2106");
        EXPECT_EQ(readFile(dir.file("app.exe")), stamped);
    }
    setenv("SOURCE_DATE_EPOCH", "4294967295", 1);
    ASSERT_TRUE(compile(p));
    EXPECT_EQ(get32(readFile(dir.file("app.exe")), kTimeStamp), 4294967295u);
}

TEST_F(ResourceFormTest, AFailureAtAnyStepLeavesThePreviousExecutableByteIdentical) {
    const std::string previous = "the previous executable";
    for (bool resources : {true, false}) {
        for (CompileStep step : {CompileStep::Stub, CompileStep::Marker, CompileStep::Block, CompileStep::Version,
                                 CompileStep::Icons, CompileStep::Replace}) {
            if (!resources && step != CompileStep::Stub && step != CompileStep::Replace) continue;
            writeFile(dir.file("app.exe"), previous);
            Project p = fullProject();
            p.resourceUpdateAvailable = resources;
            std::vector<CompileStep> reached;
            StepOutput failing([&](CompileStep s) {
                reached.push_back(s);
                return s != step;
            });
            output = &failing;
            MessageRecorder messages;
            EXPECT_FALSE(compile(p)) << compileStepName(step);
            output = nullptr;
            EXPECT_EQ(reached.back(), step);
            ASSERT_EQ(messages.shown.size(), 1u) << compileStepName(step);
            EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
            EXPECT_EQ(messages.shown[0].text, std::string("the ") + compileStepName(step) + " step was made to fail");
            EXPECT_EQ(readFile(dir.file("app.exe")), previous) << compileStepName(step);
            EXPECT_FALSE(dir.holdsNameEndingIn(".compiling")) << compileStepName(step);
        }
    }
}

// A compile killed at any step leaves the previous executable
// byte-identical: a child process compiles, says which step it reached
// through a pipe and waits there, and is killed.
TEST_F(ResourceFormTest, AKillAtAnyStepLeavesThePreviousExecutable) {
    const std::string previous = "previous executable";
    writeFile(dir.file("app.exe"), previous);
    for (bool resources : {true, false}) {
        for (CompileStep step : {CompileStep::Stub, CompileStep::Marker, CompileStep::Block, CompileStep::Version,
                                 CompileStep::Icons, CompileStep::Replace}) {
            if (!resources && step != CompileStep::Stub && step != CompileStep::Replace) continue;
            Project p = fullProject();
            p.resourceUpdateAvailable = resources;
            int reached[2];
            ASSERT_EQ(pipe(reached), 0);
            const pid_t child = fork();
            ASSERT_NE(child, -1);
            if (child == 0) {
                StepOutput stopping([&](CompileStep s) {
                    if (s != step) return true;
                    if (write(reached[1], "x", 1) != 1) _exit(2);
                    for (;;) pause();
                });
                output = &stopping;
                compile(p);
                _exit(1);
            }
            close(reached[1]);
            char said = 0;
            const bool stopped = read(reached[0], &said, 1) == 1;
            close(reached[0]);
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(stopped && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
                << compileStepName(step) << ": the compile ended before the kill";
            EXPECT_EQ(readFile(dir.file("app.exe")), previous) << "kill -9 at " << compileStepName(step);
        }
    }
    Project p = fullProject();
    EXPECT_TRUE(compile(p) && readFile(dir.file("app.exe")) != previous) << "a complete compile replaces it";
}

// Out of memory while the marker or the block is written: reported like
// any failure, and neither a temporary file nor a changed target is left.
TEST_F(ResourceFormTest, AnExceptionWhileTheMarkerOrBlockIsWrittenLeavesNoTemporaryFile) {
    for (CompileStep step : {CompileStep::Marker, CompileStep::Block}) {
        writeFile(dir.file("app.exe"), "the previous executable");
        Project p = fullProject();
        StepOutput throwing([step](CompileStep s) -> bool {
            if (s == step) throw std::bad_alloc();
            return true;
        });
        output = &throwing;
        MessageRecorder messages;
        EXPECT_FALSE(compile(p)) << compileStepName(step);
        output = nullptr;
        ASSERT_EQ(messages.shown.size(), 1u) << compileStepName(step);
        EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
        EXPECT_EQ(messages.shown[0].text, "out of memory");
        EXPECT_EQ(readFile(dir.file("app.exe")), "the previous executable") << compileStepName(step);
        EXPECT_FALSE(dir.holdsNameEndingIn(".compiling")) << compileStepName(step);
    }
}

// Any setting but the argument text that holds a line break would break up
// the block: the compile names it and writes nothing.
TEST_F(ExecutableWriterTest, LineBreakInASettingRefusesTheCompile) {
    const std::pair<void (*)(Project&), const char*> cases[] = {
        {[](Project& p) { p.setExeName("app\n.exe"); }, "The exe name holds a line break"},
        {[](Project& p) { p.setExeFolder(p.exeFolder() + "sub\r/"); }, "The exe folder holds a line break"},
        {[](Project& p) { p.setVmLibraryPath("/jre/\nlibjvm.so"); }, "The VM library path holds a line break"},
        {[](Project& p) { p.setMainClass("app.Main\r\nclasspath"); }, "The main class holds a line break"},
        {[](Project& p) {
             p.listAdd(ProjectList::ClassPath, "a.jar");
             p.listAdd(ProjectList::ClassPath, "b\n.jar");
         },
         "The class path entry 2 holds a line break"},
        {[](Project& p) { p.listAdd(ProjectList::Environment, "A=1\n"); }, "The environment entry 1 holds"},
        {[](Project& p) { p.listAdd(ProjectList::Properties, "\rk=v"); }, "The property 1 holds a line break"},
    };
    writeFile(dir.file("app.exe"), "previous");
    for (const auto& c : cases) {
        Project p = project(2);
        p.setArguments("multi\r\nline arguments are fine");
        c.first(p);
        MessageRecorder messages;
        EXPECT_FALSE(compile(p)) << c.second;
        ASSERT_EQ(messages.shown.size(), 1u) << c.second;
        EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
        EXPECT_EQ(messages.shown[0].text.rfind(c.second, 0), 0u) << messages.shown[0].text;
    }
    EXPECT_TRUE(requested.empty());
    EXPECT_EQ(readFile(dir.file("app.exe")), "previous");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Project text is in code page 1252 here: a Windows stub gets it as it is,
// the Linux launcher (an ELF program) in UTF-8, and the target's name is
// made in the system's UTF-8.
TEST_F(ExecutableWriterTest, EachLauncherGetsItsBlockInTheEncodingItReads) {
    const std::string elf = std::string("\x7f" "ELF linux stub") + std::string(4, '\0');
    stubs = [&](unsigned id) -> std::optional<std::string> { return id == 114 ? elf : fakeStub(id); };
    Project p = project(2);
    p.setExeName("h\xE9llo");
    p.setArguments("caf\xE9 \x80");
    ASSERT_TRUE(compile(p));
    const std::string linuxBlock = str(readParameterTrailer(dir.file("h\u00E9llo")));
    EXPECT_NE(linuxBlock.find("\nparameters\ncaf\u00E9 \u20AC\n"), std::string::npos);
    EXPECT_EQ(linuxBlock, ansiToUtf8(buildParameterBlock(p), p.textCodePage));

    p.setProjectVersion(1);
    ASSERT_TRUE(compile(p));
    EXPECT_EQ(readParameterTrailer(dir.file("h\u00E9llo")), buildParameterBlock(p));
}
