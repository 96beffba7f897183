// Where the block comes from: the mode marker, the executable's own path,
// and what a Linux program answers for its own resources.
#include <gtest/gtest.h>

#include "launcher/LaunchParameters.h"
#include "launcher/ModeMarker.h"
#include "launcher/ModulePath.h"
#include "platform/OwnModule.h"
#include "tests/support/TextSupport.h"

namespace {

TEST(ModeMarker, StandardOnlyForItsEightBytesAndOneOptionalNul) {
    EXPECT_TRUE(isStandardMarker("standard"));
    EXPECT_TRUE(isStandardMarker(std::string("standard\0", 9)));
    EXPECT_FALSE(isStandardMarker("resbased"));
    EXPECT_FALSE(isStandardMarker(""));
    EXPECT_FALSE(isStandardMarker("standar"));
    EXPECT_FALSE(isStandardMarker("Standard"));
    EXPECT_FALSE(isStandardMarker("standardx"));
    EXPECT_FALSE(isStandardMarker(std::string("standard\0\0", 10)));
    EXPECT_FALSE(isStandardMarker(std::string("\0standard", 9)));
}

TEST(ModulePath, SplitsAtTheLastSeparator) {
    Text folder = "old", name = "old";
    splitPathAt("C:\\apps\\tool.exe", '\\', folder, name);
    EXPECT_EQ(folder, "C:\\apps\\");
    EXPECT_EQ(name, "tool.exe");
    splitPathAt("/opt/app/stub12", '/', folder, name);
    EXPECT_EQ(folder, "/opt/app/");
    EXPECT_EQ(name, "stub12");
    splitPathAt("C:\\", '\\', folder, name);
    EXPECT_EQ(folder, "C:\\");
    EXPECT_EQ(name, "");
}

TEST(ModulePath, NoSeparatorLeavesBothEmpty) {
    Text folder = "old", name = "old";
    splitPathAt("tool.exe", '\\', folder, name);
    EXPECT_EQ(folder, "");
    EXPECT_EQ(name, "");
    splitPathAt("", '\\', folder, name);
    EXPECT_EQ(folder, "");
    EXPECT_EQ(name, "");
}

TEST(ModulePath, RunningProgramIsThisTest) {
    Text folder, name;
    splitModulePath(folder, name);
    EXPECT_EQ(name, "launcher_tests");
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder[0], '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder + name, platform::ownModulePath());
}

TEST(ParameterResource, LinuxProgramHasOnlyTheStandardMarker) {
    Text buffer = "stale";
    EXPECT_EQ(loadParameterResource(1, buffer), 8u);
    EXPECT_EQ(buffer, "standard");
    EXPECT_EQ(loadParameterResource(2, buffer), 0u);
    EXPECT_EQ(buffer, "");
}

}  // namespace
