// %NAME% expansion against the start-up environment. This program starts
// with OS=Windows_NT and CASKIT_TEST_STARTUP_X=start (see CMakeLists.txt).
#include <gtest/gtest.h>

#include "launcher/Environment.h"
#include "launcher/LaunchParameters.h"
#include "platform/Environment.h"
#include "tests/support/TextSupport.h"

namespace {

class Expansion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(caskit_test::startupValue("OS"), std::optional<std::string>("Windows_NT"));
        ASSERT_EQ(caskit_test::startupValue("CASKIT_TEST_STARTUP_X"), std::optional<std::string>("start"));
    }
    static std::string expanded(const std::string& value) {
        Text text = value;
        expandVariable(text);
        return str(text);
    }
};

TEST_F(Expansion, WholeReference) { EXPECT_EQ(expanded("%OS%"), "Windows_NT"); }

TEST_F(Expansion, ReferenceInsideText) {
    EXPECT_EQ(expanded("home=%OS%"), "home=Windows_NT");
    EXPECT_EQ(expanded("%OS%xxx"), "Windows_NTxxx");
    EXPECT_EQ(expanded("a%OS%b"), "aWindows_NTb");
}

// Linux names are exact: %os% is another variable than OS (Windows
// compares without case; the Wine tier's %os% shows it).
TEST_F(Expansion, NamesCompareExactlyOnLinux) {
    EXPECT_EQ(expanded("%os%"), "%os%");
    EXPECT_EQ(expanded("%OS%"), "Windows_NT");
}

TEST_F(Expansion, NameRunsFromFirstToLastPercent) {
    EXPECT_EQ(expanded("%A%;%B%"), "%A%;%B%");
    EXPECT_EQ(expanded("%OS%;%OS%"), "%OS%;%OS%");
}

TEST_F(Expansion, FewerThanTwoPercentSignsChangeNothing) {
    EXPECT_EQ(expanded("100%"), "100%");
    EXPECT_EQ(expanded("%"), "%");
    EXPECT_EQ(expanded(""), "");
    EXPECT_EQ(expanded("plain"), "plain");
}

TEST_F(Expansion, UnknownOrEmptyNameChangesNothing) {
    EXPECT_EQ(expanded("%CASKIT_TEST_NEVER_SET%"), "%CASKIT_TEST_NEVER_SET%");
    EXPECT_EQ(expanded("%%"), "%%");
}

TEST_F(Expansion, InsertedValueIsNotScannedAgain) {
    platform::setVariable("CASKIT_TEST_STARTUP_X", "changed");  // the live value does not count
    EXPECT_EQ(expanded("%CASKIT_TEST_STARTUP_X%"), "start");
}

TEST_F(Expansion, AppliesToParametersAndPropertiesOnly) {
    LaunchParameters p;
    p.arguments = {"%OS%"};  // as from the command line: never expanded
    p.parseBlock(
        "parameters\n%OS% x%OS%y 100%\nproperties\n1\nhome=%OS%\nclasspath\n1\n%OS%\nclassname\n%OS%\n"
        "binarypath\n%OS%\nenvironment\n1\nCASKIT_TEST_RAW\n%OS%\nnocp\n");
    EXPECT_EQ(p.arguments, (std::vector<std::string>{"%OS%", "Windows_NT", "xWindows_NTy", "100%"}));
    EXPECT_EQ(p.properties, (std::vector<std::string>{"home=Windows_NT"}));
    EXPECT_EQ(p.classPath.front(), "%OS%");
    EXPECT_EQ(p.mainClass, "%OS%");
    EXPECT_EQ(p.binaryPath, "%OS%");
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_RAW"), std::optional<std::string>("%OS%"));
}

TEST_F(Expansion, VariableSetByTheBlockGetsItsStartupValue) {
    LaunchParameters p(PropertyStyle::Option);
    p.parseBlock("environment\n1\nCASKIT_TEST_STARTUP_X\nblock\nproperties\n1\nx=%CASKIT_TEST_STARTUP_X%\n");
    EXPECT_EQ(p.properties, (std::vector<std::string>{"-Dx=start"}));
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_STARTUP_X"), std::optional<std::string>("block"));
}

}  // namespace
