// Reading parameter blocks: keywords, value forms, order, and malformed
// blocks. This program starts without CLASSPATH, TEMP and HOMEPATH (see
// CMakeLists.txt), so the class path is not merged and those references
// stay as written.
#include <gtest/gtest.h>

#include "launcher/BlockLines.h"
#include "launcher/DecimalNumber.h"
#include "launcher/LaunchParameters.h"
#include "platform/Environment.h"
#include "tests/support/TextSupport.h"

namespace {

using Strings = std::vector<std::string>;

// A literal with NUL bytes inside, taken whole.
template <std::size_t N>
std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

class ParameterBlock : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(platform::startupVariable("CLASSPATH", scratch_)) << "run without CLASSPATH";
        ASSERT_FALSE(platform::startupVariable("TEMP", scratch_)) << "run without TEMP";
        ASSERT_FALSE(platform::startupVariable("HOMEPATH", scratch_)) << "run without HOMEPATH";
    }
    Text scratch_;
    static LaunchParameters parsed(const std::string& block, PropertyStyle style = PropertyStyle::Plain) {
        LaunchParameters p(style);
        p.parseBlock(block);
        return p;
    }
};

void expectDefaults(const LaunchParameters& p) {
    EXPECT_FALSE(p.diagnosticsEnabled);
    EXPECT_EQ(p.exeFolder, "");
    EXPECT_EQ(p.exeName, "");
    EXPECT_EQ(p.binaryPath, "");
    EXPECT_EQ(p.mainClass, "");
    EXPECT_EQ(p.arguments, Strings{});
    EXPECT_EQ(p.properties, Strings{});
    EXPECT_EQ(p.classPath, Strings{});
    EXPECT_EQ(p.classPathMode, ClassPathMode::Append);
    EXPECT_EQ(p.minHeap, "1024");
    EXPECT_EQ(p.maxHeap, "16384");
    EXPECT_EQ(p.nativeStackSize, "128");
    EXPECT_EQ(p.javaStackSize, "400");
    EXPECT_TRUE(p.classGcEnabled);
    EXPECT_EQ(p.verifyMode, VerifyMode::None);
    EXPECT_FALSE(p.asyncGcDisabled);
    EXPECT_FALSE(p.jitDisabled);
    EXPECT_FALSE(p.consoleWindow);
    EXPECT_FALSE(p.routeConsole);
}

// The builder's block for a JDK 2.0 project: main class app.Main, arguments
// "-v %TEMP%", APP_MODE=fast, one class-path entry, one property, network
// classes verified, console on.
const char kBuilderBlock[] =
    "binarypath\n#internal#\nclassname\napp.Main\nparameters\n-v %TEMP%\nappendcp\n"
    "environment\n1\nCASKIT_TEST_APP_MODE\nfast\nclasspath\n1\n.\\lib\\app.jar\n"
    "properties\n1\napp.home=%HOMEPATH%\nnoasyncgc\n0\nnoclassgc\n0\nverifyremote\n"
    "disablejit\n0\nconsole\n1\nrouteconsole\n0\nminheap\n1024\nmaxheap\n16384\n"
    "maxcstack\n0\nmaxjavastack\n0\n";

TEST_F(ParameterBlock, DefaultsWithoutABlock) {
    LaunchParameters fresh;
    expectDefaults(fresh);
    expectDefaults(parsed(""));
}

TEST_F(ParameterBlock, BuilderBlockFillsEveryField) {
    LaunchParameters p = parsed(kBuilderBlock);
    EXPECT_EQ(p.binaryPath, "#internal#");
    EXPECT_EQ(p.mainClass, "app/Main");
    EXPECT_EQ(p.arguments, (Strings{"-v", "%TEMP%"}));
    EXPECT_EQ(p.classPathMode, ClassPathMode::Append);
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_APP_MODE"), std::optional<std::string>("fast"));
    EXPECT_EQ(p.classPath, (Strings{".\\lib\\app.jar"}));
    EXPECT_EQ(p.properties, (Strings{"app.home=%HOMEPATH%"}));
    EXPECT_FALSE(p.asyncGcDisabled);
    EXPECT_TRUE(p.classGcEnabled);
    EXPECT_EQ(p.verifyMode, VerifyMode::Remote);
    EXPECT_FALSE(p.jitDisabled);
    EXPECT_TRUE(p.consoleWindow);
    EXPECT_FALSE(p.routeConsole);
    EXPECT_EQ(p.minHeap, "1024");
    EXPECT_EQ(p.maxHeap, "16384");
    EXPECT_EQ(p.nativeStackSize, "0");
    EXPECT_EQ(p.javaStackSize, "0");
}

TEST_F(ParameterBlock, OptionStylePutsDashDInFrontOfEachProperty) {
    LaunchParameters p = parsed("properties\n2\na=1\nb=%HOMEPATH%\n", PropertyStyle::Option);
    EXPECT_EQ(p.properties, (Strings{"-Da=1", "-Db=%HOMEPATH%"}));
}

TEST_F(ParameterBlock, ClassNameDotsBecomeSlashes) {
    LaunchParameters p = parsed("classname\nx.y.Z\n");
    EXPECT_EQ(p.mainClass, "x/y/Z");
    LaunchParameters rest = p;
    rest.mainClass.clear();
    expectDefaults(rest);
}

TEST_F(ParameterBlock, SwitchesAndModes) {
    LaunchParameters p = parsed("noclassgc\n1\nnoasyncgc\n1\ndisablejit\n1\nrouteconsole\n1\nprependcp\nverify\n");
    EXPECT_FALSE(p.classGcEnabled);
    EXPECT_TRUE(p.asyncGcDisabled);
    EXPECT_TRUE(p.jitDisabled);
    EXPECT_TRUE(p.routeConsole);
    EXPECT_EQ(p.classPathMode, ClassPathMode::Prepend);
    EXPECT_EQ(p.verifyMode, VerifyMode::All);
    EXPECT_EQ(parsed("nocp\n").classPathMode, ClassPathMode::Ignore);
    EXPECT_EQ(parsed("prependcp\nappendcp\n").classPathMode, ClassPathMode::Append);
    EXPECT_EQ(parsed("verify\nnoverify\n").verifyMode, VerifyMode::None);
    EXPECT_EQ(parsed("noclassgc\n0\n").classGcEnabled, true);
    EXPECT_EQ(parsed("restartexitcode\n42\n").restartExitCode, 42);
    EXPECT_EQ(parsed("restartexitcode\n256\n").restartExitCode, 0);
    EXPECT_EQ(parsed("restartexitcode\n-3\n").restartExitCode, 0);
    const LaunchParameters splash = parsed("splashtimeout\n3600\nsplashimage\n70144\n16777216\n");
    EXPECT_EQ(splash.splashTimeout, 3600u);
    EXPECT_EQ(splash.splashOffset, 70144u);
    EXPECT_EQ(splash.splashLength, 16777216u);
    // Out of range (a timeout over an hour, an image over 16 MB): none.
    EXPECT_EQ(parsed("splashtimeout\n3601\n").splashTimeout, 0u);
    EXPECT_EQ(parsed("splashimage\n-1\n16777217\n").splashLength, 0u);
}

TEST_F(ParameterBlock, SwitchIsOnWhenItsFirstCharacterIsOne) {
    EXPECT_TRUE(parsed("console\n10\n").consoleWindow);
    EXPECT_FALSE(parsed("console\n\n").consoleWindow);
    EXPECT_FALSE(parsed("console\n01\n").consoleWindow);
    EXPECT_FALSE(parsed("console\n 1\n").consoleWindow);
}

TEST_F(ParameterBlock, VerifyTakesNoValueSoTheNextLineIsTriedAsKeyword) {
    LaunchParameters p = parsed("verify\n1\n");
    EXPECT_EQ(p.verifyMode, VerifyMode::All);
    LaunchParameters rest = p;
    rest.verifyMode = VerifyMode::None;
    expectDefaults(rest);
}

TEST_F(ParameterBlock, KeywordsAreCaseSensitiveAndWholeLine) {
    expectDefaults(parsed("Console\n1\n"));
    expectDefaults(parsed("console \n1\n"));
    expectDefaults(parsed(" verify\n"));
}

TEST_F(ParameterBlock, ValueLinesOfUnknownKeywordsAreTriedAsKeywords) {
    LaunchParameters p = parsed("colour\nnocp\nmystery\nclassname\na.B\n");
    EXPECT_EQ(p.classPathMode, ClassPathMode::Ignore);
    EXPECT_EQ(p.mainClass, "a/B");
}

TEST_F(ParameterBlock, LastSingleValueWinsListsAppend) {
    LaunchParameters p = parsed(
        "minheap\n1\nminheap\n2\nclasspath\n1\na\nclasspath\n1\nb\nparameters\nx\nparameters\ny\n"
        "properties\n1\np=1\nproperties\n1\np=2\n");
    EXPECT_EQ(p.minHeap, "2");
    EXPECT_EQ(p.classPath, (Strings{"a", "b"}));
    EXPECT_EQ(p.arguments, (Strings{"x", "y"}));
    EXPECT_EQ(p.properties, (Strings{"p=1", "p=2"}));
}

TEST_F(ParameterBlock, ConfiguredArgumentsFollowCommandLineOnes) {
    LaunchParameters p;
    p.arguments.push_back("x");
    p.parseBlock("parameters\ny z\n");
    EXPECT_EQ(p.arguments, (Strings{"x", "y", "z"}));
}

TEST_F(ParameterBlock, EmptyQuotedParameterIsKeptAndLaterTokensToo) {
    EXPECT_EQ(parsed("parameters\na \"\" b\n").arguments, (Strings{"a", "", "b"}));
}

TEST_F(ParameterBlock, ZeroOrMissingCountAddsNothing) {
    expectDefaults(parsed("classpath\n0\n"));
    expectDefaults(parsed("classpath\nx\n"));
    expectDefaults(parsed("classpath\n"));
}

TEST_F(ParameterBlock, NegativeCountReadsAsZero) {
    LaunchParameters p = parsed("classpath\n-5\nverify\nproperties\n-1\nenvironment\n-2\nnocp\n");
    EXPECT_EQ(p.classPath, Strings{});
    EXPECT_EQ(p.properties, Strings{});
    EXPECT_EQ(p.verifyMode, VerifyMode::All);
    EXPECT_EQ(p.classPathMode, ClassPathMode::Ignore);
}

TEST_F(ParameterBlock, HugeCountStopsAtTheEndOfTheText) {
    EXPECT_EQ(parsed("classpath\n99999999999999999999999\na\nb\n").classPath, (Strings{"a", "b"}));
    EXPECT_EQ(parsed("properties\n4294967296\np=1\n").properties, (Strings{"p=1"}));
    EXPECT_EQ(parsed("classpath\n2147483647\n").classPath, Strings{});
    parsed("environment\n18446744073709551615\nCASKIT_TEST_HUGE\nv\n");
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_HUGE"), std::optional<std::string>("v"));
}

TEST_F(ParameterBlock, CountLargerThanTheEntriesTakesTheFollowingLines) {
    LaunchParameters p = parsed("classpath\n2\na\nverify\n");
    EXPECT_EQ(p.classPath, (Strings{"a", "verify"}));
    EXPECT_EQ(p.verifyMode, VerifyMode::None);
}

TEST_F(ParameterBlock, LastLineWithoutLineFeedIsTheRestOfTheText) {
    EXPECT_EQ(parsed("classname\na.B").mainClass, "a/B");
    EXPECT_EQ(parsed("verify").verifyMode, VerifyMode::All);
    EXPECT_EQ(parsed("classpath\n2\na\nb").classPath, (Strings{"a", "b"}));
}

TEST_F(ParameterBlock, MissingValueAtTheEndIsEmpty) {
    EXPECT_EQ(parsed("minheap\n").minHeap, "");
    EXPECT_EQ(parsed("binarypath").binaryPath, "");
    EXPECT_TRUE(parsed("noclassgc\n").classGcEnabled);
}

TEST_F(ParameterBlock, CarriageReturnBelongsToTheValue) {
    LaunchParameters p = parsed("classname\na.B\r\nminheap\r\n5\n");
    EXPECT_EQ(p.mainClass, "a/B\r");
    EXPECT_EQ(p.minHeap, "1024");  // "minheap\r" is no keyword
}

TEST_F(ParameterBlock, LineBreakTypedIntoParametersSplitsTheValue) {
    LaunchParameters p = parsed("parameters\n-a b\r\nconsole\n1\n");
    EXPECT_EQ(p.arguments, (Strings{"-a", "b\r"}));
    EXPECT_TRUE(p.consoleWindow);  // the piece after the break was read as a keyword
}

TEST_F(ParameterBlock, NulBytesStayInsideValues) {
    std::string block = bytes("classname\nA\0B\nclasspath\n1\nx\0y\n");
    LaunchParameters p = parsed(block);
    EXPECT_EQ(p.mainClass, std::string("A\0B", 3));
    EXPECT_EQ(p.classPath, (Strings{std::string("x\0y", 3)}));
}

TEST_F(ParameterBlock, EnvironmentRecordsSetVariablesInOrderWithoutExpansion) {
    parsed("environment\n3\nCASKIT_TEST_E1\n%HOME%\nCASKIT_TEST_E2\nfirst\nCASKIT_TEST_E2\nsecond\n");
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_E1"), std::optional<std::string>("%HOME%"));
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_E2"), std::optional<std::string>("second"));
}

TEST_F(ParameterBlock, EnvironmentValueIsKeptExactlyAndEmptyValueIsSetEmpty) {
    parsed("environment\n2\nCASKIT_TEST_E3\n  spaced  \nCASKIT_TEST_E4\n\n");
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_E3"), std::optional<std::string>("  spaced  "));
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_E4"), std::optional<std::string>(""));
}

TEST_F(ParameterBlock, EnvironmentPairsTheSystemRefusesAreSkipped) {
    std::string block = bytes("environment\n4\n\n\nA=B\nv\nCASKIT_TEST_N\0UL\nv\nCASKIT_TEST_E5\nok\n");
    LaunchParameters p = parsed(block);
    EXPECT_FALSE(caskit_test::currentVariable("CASKIT_TEST_N"));
    EXPECT_EQ(caskit_test::currentVariable("CASKIT_TEST_E5"), std::optional<std::string>("ok"));
    expectDefaults(p);
}

TEST_F(ParameterBlock, VariablesSetByTheBlockAreNotExpanded) {
    // Expansion reads the start-up environment, which never held this name.
    LaunchParameters p = parsed("environment\n1\nCASKIT_TEST_APP_X\nset\nproperties\n1\nx=%CASKIT_TEST_APP_X%\n");
    EXPECT_EQ(p.properties, (Strings{"x=%CASKIT_TEST_APP_X%"}));
}

// Every cut of the builder's block reads as the front part of it: a value
// keeps its default or holds the front of the block's value (empty when
// the cut took its line), and list entries are the block's own, only the
// last one possibly cut. At a cut between lines no entry is invented.
TEST_F(ParameterBlock, EveryCutOfTheBuilderBlockReadsAsItsFrontPart) {
    const std::string block = kBuilderBlock;
    const LaunchParameters full = parsed(block), defaults;
    const auto front = [](const std::string& whole, const std::string& part) {
        return whole.compare(0, part.size(), part) == 0;
    };
    const auto value = [&](const std::string& cut, const std::string& fallback, const std::string& whole) {
        return cut == fallback || front(whole, cut);
    };
    const auto list = [&](const Strings& cut, const Strings& whole, bool betweenLines) {
        if (cut.size() > whole.size()) return false;
        for (std::size_t i = 0; i < cut.size(); ++i) {
            const bool mayBeCut = !betweenLines && i + 1 == cut.size();
            if (mayBeCut ? !front(whole[i], cut[i]) : cut[i] != whole[i]) return false;
        }
        return true;
    };
    for (std::size_t n = 0; n <= block.size(); ++n) {
        const LaunchParameters p = parsed(block.substr(0, n));
        const bool betweenLines = n == 0 || block[n - 1] == '\n';
        EXPECT_TRUE(value(str(p.binaryPath), str(defaults.binaryPath), str(full.binaryPath))) << n;
        EXPECT_TRUE(value(str(p.mainClass), str(defaults.mainClass), str(full.mainClass))) << n;
        EXPECT_TRUE(value(str(p.minHeap), str(defaults.minHeap), str(full.minHeap))) << n;
        EXPECT_TRUE(value(str(p.maxHeap), str(defaults.maxHeap), str(full.maxHeap))) << n;
        EXPECT_TRUE(value(str(p.nativeStackSize), str(defaults.nativeStackSize), str(full.nativeStackSize))) << n;
        EXPECT_TRUE(value(str(p.javaStackSize), str(defaults.javaStackSize), str(full.javaStackSize))) << n;
        EXPECT_TRUE(list(strs(p.arguments), strs(full.arguments), betweenLines)) << n;
        EXPECT_TRUE(list(strs(p.classPath), strs(full.classPath), betweenLines)) << n;
        EXPECT_TRUE(list(strs(p.properties), strs(full.properties), betweenLines)) << n;
    }
}

TEST(BlockLines, ReaderSplitsAtLineFeedsOnly) {
    Text text = "a\r\n\nb";
    BlockLineReader lines(text);
    EXPECT_EQ(lines.next(), "a\r");
    EXPECT_EQ(lines.next(), "");
    EXPECT_FALSE(lines.atEnd());
    EXPECT_EQ(lines.next(), "b");
    EXPECT_TRUE(lines.atEnd());
    EXPECT_EQ(lines.next(), "");
    EXPECT_TRUE(lines.atEnd());
}

TEST(BlockLines, CountsReadLikeAtol) {
    EXPECT_EQ(parseCount("12"), 12u);
    EXPECT_EQ(parseCount("  \t+7x"), 7u);
    EXPECT_EQ(parseCount("3 4"), 3u);
    EXPECT_EQ(parseCount("\r5"), 5u);
    EXPECT_EQ(parseCount(""), 0u);
    EXPECT_EQ(parseCount("x1"), 0u);
    EXPECT_EQ(parseCount("+"), 0u);
    EXPECT_EQ(parseCount("- 1"), 0u);
    EXPECT_EQ(parseCount("-1"), 0u);
    EXPECT_EQ(parseCount("-99999999999999999999999"), 0u);
    EXPECT_EQ(parseCount("99999999999999999999999"), UINT64_MAX);
    EXPECT_EQ(parseCount("18446744073709551615"), UINT64_MAX);
    EXPECT_EQ(parseCount("18446744073709551614"), UINT64_MAX - 1);
}

TEST(DecimalNumber, SignAndSaturatedMagnitude) {
    DecimalNumber n = readDecimalNumber(" \t\n\v\f\r-42z");
    EXPECT_TRUE(n.negative);
    EXPECT_EQ(n.magnitude, 42u);
    n = readDecimalNumber("+99999999999999999999999");
    EXPECT_FALSE(n.negative);
    EXPECT_EQ(n.magnitude, UINT64_MAX);
    EXPECT_EQ(readDecimalNumber("18446744073709551615").magnitude, UINT64_MAX);
    EXPECT_EQ(readDecimalNumber("18446744073709551619").magnitude, UINT64_MAX);  // one digit past the limit
    n = readDecimalNumber("-");
    EXPECT_TRUE(n.negative);
    EXPECT_EQ(n.magnitude, 0u);
    n = readDecimalNumber("\x01" "5");  // not white space: no digits follow the start
    EXPECT_EQ(n.magnitude, 0u);
}

TEST(BlockLines, Switches) {
    EXPECT_TRUE(isSwitchOn("1"));
    EXPECT_TRUE(isSwitchOn("1abc"));
    EXPECT_FALSE(isSwitchOn("0"));
    EXPECT_FALSE(isSwitchOn(""));
    EXPECT_FALSE(isSwitchOn("yes"));
}

}  // namespace
