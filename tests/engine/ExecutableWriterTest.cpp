// Compiling on a system without resource updating (Linux, like Windows
// 95/98): the stub image followed by the parameter trailer.
#include <gtest/gtest.h>

#include <filesystem>

#include "builder/engine/ExecutableWriter.h"
#include "launcher/ParameterTrailer.h"
#include "platform/ByteWriter.h"
#include "tests/engine/TestIcon.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempFolder.h"

using caskit_test::MessageRecorder;
using caskit_test::readFile;
using caskit_test::TempFolder;
using caskit_test::writeFile;

namespace {

// Stub images as the stub source hands them out: distinct bytes per id,
// ending like an unconfigured stub with an empty trailer.
std::string fakeStub(unsigned id) { return "MZ stub image " + std::to_string(id) + std::string(4, '\0'); }

class ExecutableWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        setStubSource([this](unsigned id) -> std::optional<std::string> {
            requested.push_back(id);
            if (id == kStub11ResourceId || id == kStub12ResourceId) return fakeStub(id);
            return std::nullopt;
        });
    }
    void TearDown() override { setStubSource(nullptr); }

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
};

std::string lengthWord(std::size_t n) {
    ByteWriter w;
    w.u32(static_cast<std::uint32_t>(n));
    return w.data();
}

}  // namespace

TEST_F(ExecutableWriterTest, TrailerFormIsStubThenBlockThenLength) {
    Project p = project(2);
    MessageRecorder messages;
    ASSERT_TRUE(compile(p, nullptr));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(requested, std::vector<unsigned>{114});
    const std::string block = buildParameterBlock(p);
    EXPECT_EQ(readFile(dir.file("app.exe")), fakeStub(114) + block + lengthWord(block.size()));
    // The launcher's own reader finds the same block.
    EXPECT_EQ(readParameterTrailer(dir.file("app.exe")), block);
}

TEST_F(ExecutableWriterTest, Jdk11UsesStub113) {
    Project p = project(1);
    ASSERT_TRUE(compile(p, nullptr));
    EXPECT_EQ(requested, std::vector<unsigned>{113});
    EXPECT_EQ(readFile(dir.file("app.exe")).rfind(fakeStub(113), 0), 0u);
}

TEST_F(ExecutableWriterTest, UnknownVersionWritesNoStub) {
    Project p = project(7);
    MessageRecorder messages;
    EXPECT_FALSE(compile(p, nullptr));
    EXPECT_TRUE(requested.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("app.exe")));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ExecutableWriterTest, SecondCompileReplacesTheFirstCompletely) {
    Project p = project(2);
    p.setArguments(std::string(3000, 'a'));
    ASSERT_TRUE(compile(p, nullptr));
    p.setArguments("short");
    ASSERT_TRUE(compile(p, nullptr));
    const std::string block = buildParameterBlock(p);
    EXPECT_EQ(readFile(dir.file("app.exe")), fakeStub(114) + block + lengthWord(block.size()));
}

TEST_F(ExecutableWriterTest, UncreatableTargetReportsAndStops) {
    Project p = project(2);
    p.setExeFolder(dir.folder() + "missing/");
    MessageRecorder messages;
    EXPECT_FALSE(compile(p, nullptr));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
    EXPECT_FALSE(messages.shown[0].text.empty());
    EXPECT_EQ(messages.shown[0].style & 0xF0, 0x30u);
}

TEST_F(ExecutableWriterTest, EmptyExeNameTargetsTheFolderAndFails) {
    Project p = project(2);
    p.setExeName("");
    MessageRecorder messages;
    EXPECT_FALSE(compile(p, nullptr));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
}

TEST_F(ExecutableWriterTest, MissingStubStopsSilently) {
    setStubSource([](unsigned) -> std::optional<std::string> { return std::nullopt; });
    Project p = project(2);
    MessageRecorder messages;
    EXPECT_FALSE(compile(p, nullptr));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("app.exe")));
}

TEST_F(ExecutableWriterTest, FailedResourceStepIsReportedNotSilent) {
    // Linux cannot update resources: a project that asks for the resource
    // form must not end up as a bare stub reported as success.
    Project p = project(2);
    p.resourceUpdateAvailable = true;
    MessageRecorder messages;
    EXPECT_FALSE(compile(p, nullptr));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
    EXPECT_FALSE(std::filesystem::exists(dir.file("app.exe")));
}

// The resource steps without a stub step (an unknown project version)
// reach the version writer directly; Linux cannot open the target for
// update, so the writer raises "exe not found".
TEST_F(ExecutableWriterTest, VersionFailureIsCaughtReportedAndStops) {
    Project p = project(7);
    p.resourceUpdateAvailable = true;
    p.versionInfoEnabled = true;
    MessageRecorder messages;
    EXPECT_NO_THROW(EXPECT_FALSE(compile(p, nullptr)));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Error Compiling Executable");
    EXPECT_EQ(messages.shown[0].text, "exe not found");
}

TEST_F(ExecutableWriterTest, IconFailureIsIgnored) {
    writeFile(dir.file("app.ico"), testIconFile());
    Project p = project(7);
    p.resourceUpdateAvailable = true;
    p.setLargeIconPath(dir.file("app.ico"));
    ASSERT_NE(p.largeIcon(), nullptr);
    MessageRecorder messages;
    EXPECT_NO_THROW(compile(p, nullptr));
    EXPECT_TRUE(messages.shown.empty());
}
