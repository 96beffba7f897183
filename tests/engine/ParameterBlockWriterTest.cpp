#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/ProjectRecord.h"
#include "launcher/BlockKeywords.h"
#include "tests/engine/TestSettings.h"

namespace {

std::string lines(std::initializer_list<const char*> items) {
    std::string out;
    for (const char* item : items) {
        out += item;
        out += '\n';
    }
    return out;
}

}  // namespace

TEST(ParameterBlockWriter, DefaultJdk11ProjectGivesThe32Lines) {
    Project p(false);
    p.setProjectVersion(1);
    p.setMainClass("Main");
    const std::string expected =
        lines({"binarypath", "#internal#", "classname", "Main", "parameters", "", "appendcp", "environment", "0",
               "classpath", "0", "properties", "0", "noasyncgc", "1", "noclassgc", "1", "verifyremote",
               "disablejit", "1", "console", "0", "routeconsole", "0", "minheap", "1024", "maxheap", "16384",
               "maxcstack", "128", "maxjavastack", "512"});
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 32);
    EXPECT_EQ(buildParameterBlock(p), expected);
}

TEST(ParameterBlockWriter, WorkedJdk20ProjectGivesThe36Lines) {
    Project p(true);
    p.setProjectVersion(2);
    p.setMainClass("app.Main");
    p.setArguments("-v %TEMP%");
    p.listAdd(ProjectList::Environment, "APP_MODE=fast");
    p.listAdd(ProjectList::ClassPath, ".\\lib\\app.jar");
    p.listAdd(ProjectList::Properties, "app.home=%HOMEPATH%");
    p.setVerifyOption(static_cast<std::int32_t>(VerifyOption::RemoteOnly));
    p.setConsoleWindow(true);
    // The JDK 2.0 pages have no async-GC or stack controls; the heap page
    // stores 0 for both stacks; JIT and class GC are switched on here.
    p.setAsyncGcEnabled(true);
    p.setClassGcEnabled(true);
    p.setJitEnabled(true);
    p.setMaxNativeStack(0);
    p.setMaxJavaStack(0);
    const std::string expected =
        lines({"binarypath", "#internal#", "classname", "app.Main", "parameters", "-v %TEMP%", "appendcp",
               "environment", "1", "APP_MODE", "fast", "classpath", "1", ".\\lib\\app.jar", "properties", "1",
               "app.home=%HOMEPATH%", "noasyncgc", "0", "noclassgc", "0", "verifyremote", "disablejit", "0",
               "console", "1", "routeconsole", "0", "minheap", "1024", "maxheap", "16384", "maxcstack", "0",
               "maxjavastack", "0"});
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 36);
    EXPECT_EQ(buildParameterBlock(p), expected);
}

TEST(ParameterBlockWriter, ModesAndSwitches) {
    Project p(false);
    p.setClassPathMode(1);
    p.setVerifyOption(1);
    p.setRouteConsole(true);
    std::string block = buildParameterBlock(p);
    EXPECT_NE(block.find("\nprependcp\n"), std::string::npos);
    EXPECT_NE(block.find("\nverify\n"), std::string::npos);
    EXPECT_NE(block.find("\nrouteconsole\n1\n"), std::string::npos);
    p.setClassPathMode(2);
    p.setVerifyOption(2);
    block = buildParameterBlock(p);
    EXPECT_NE(block.find("\nnocp\n"), std::string::npos);
    EXPECT_NE(block.find("\nnoverify\n"), std::string::npos);
    EXPECT_EQ(block.find("appendcp"), std::string::npos);
}

TEST(ParameterBlockWriter, ValuesAreCopiedByteForByte) {
    Project p(false);
    p.setVmLibraryPath("D:\\jre\\bin\\jvm.dll");
    p.setArguments("a\tb \"q\" %X%");
    p.listAdd(ProjectList::Environment, "A=b=c");
    p.listAdd(ProjectList::Environment, "NOVALUE");
    p.listAdd(ProjectList::Environment, "=x");
    p.setMinHeap(4294967295u);
    std::string block = buildParameterBlock(p);
    EXPECT_EQ(block.rfind("binarypath\nD:\\jre\\bin\\jvm.dll\n", 0), 0u);
    EXPECT_NE(block.find("parameters\na\tb \"q\" %X%\n"), std::string::npos);
    EXPECT_NE(block.find("environment\n3\nA\nb=c\nNOVALUE\n\n\nx\nclasspath\n"), std::string::npos);
    EXPECT_NE(block.find("minheap\n4294967295\n"), std::string::npos);
    EXPECT_EQ(block.back(), '\n');
}

// The argument text is one line of the block: each line break typed into
// the argument field (CR LF, LF or CR) becomes one blank, so no line of it
// can be read as a keyword.
TEST(ParameterBlockWriter, ArgumentLineBreaksBecomeBlanks) {
    Project p(false);
    const std::pair<const char*, const char*> cases[] = {
        {"a b\nclasspath\n1\n/tmp/x.jar", "a b classpath 1 /tmp/x.jar"},
        {"one\r\ntwo\rthree\n", "one two three "},
        {"\r\r\n\n\nx", "    x"},
    };
    for (const auto& c : cases) {
        p.setArguments(c.first);
        EXPECT_NE(buildParameterBlock(p).find(std::string("\nparameters\n") + c.second + "\nappendcp\n"),
                  std::string::npos)
            << c.second;
    }
}

TEST(ParameterBlockWriter, UserDefinedVmWithoutPathIsInternal) {
    Project p(false);
    p.userDefinedVm = true;
    EXPECT_EQ(buildParameterBlock(p).rfind("binarypath\n#internal#\n", 0), 0u);
}

TEST(ParameterBlockWriter, EverySettingIsWrittenWhateverTheVersion) {
    // A JDK 2.0 project still carries verification, asynchronous collection
    // and the stack sizes with their defaults, and writes them as usual.
    Project jdk11(false), jdk20(false);
    jdk11.setProjectVersion(1);
    jdk20.setProjectVersion(2);
    jdk11.setMainClass("Main");
    jdk20.setMainClass("Main");
    EXPECT_EQ(buildParameterBlock(jdk20), buildParameterBlock(jdk11));
    EXPECT_NE(buildParameterBlock(jdk20).find("noasyncgc\n1\nnoclassgc\n1\nverifyremote\n"), std::string::npos);
    EXPECT_NE(buildParameterBlock(jdk20).find("maxcstack\n128\nmaxjavastack\n512\n"), std::string::npos);
}

TEST(ParameterBlockWriter, SwitchesOnInvertTheNoKeywords) {
    Project p(false);
    p.setAsyncGcEnabled(true);
    const std::string asyncOnly = buildParameterBlock(p);
    EXPECT_NE(asyncOnly.find("noasyncgc\n0\nnoclassgc\n1\n"), std::string::npos);
    EXPECT_NE(asyncOnly.find("disablejit\n1\n"), std::string::npos);
    p.setAsyncGcEnabled(false);
    p.setClassGcEnabled(true);
    p.setJitEnabled(true);
    const std::string classAndJit = buildParameterBlock(p);
    EXPECT_NE(classAndJit.find("noasyncgc\n1\nnoclassgc\n0\n"), std::string::npos);
    EXPECT_NE(classAndJit.find("disablejit\n0\n"), std::string::npos);
    p.setVerifyOption(0);
    EXPECT_NE(buildParameterBlock(p).find("\nverifyremote\ndisablejit\n"), std::string::npos);
}

TEST(ParameterBlockWriter, SettingsBeyondTheOriginalOnesFollowOnlyWhenSet) {
    Project p(false);
    p.setProjectVersion(2);
    p.setMainClass("Main");
    const std::string original = buildParameterBlock(p);
    p.setExtended(&ExtendedSettings::fileDescription, "only the compile uses this");
    p.setExtended(&ExtendedSettings::consoleProgram, true);
    EXPECT_EQ(buildParameterBlock(p), original);

    p.listAdd(ProjectList::JvmOptions, "-Xss2m");
    p.listAdd(ProjectList::JvmOptions, "--enable-preview");
    p.setExtended(&ExtendedSettings::javaMinVersion, "17");
    p.setExtended(&ExtendedSettings::javaMaxVersion, "21");
    p.setExtended(&ExtendedSettings::downloadUrl, "https://example.com/java");
    p.setExtended(&ExtendedSettings::embeddedJar, "C:\\private\\app.jar");
    p.setExtended(&ExtendedSettings::startupCache, true);
    p.setExtended(&ExtendedSettings::workingFolder, 1u);
    EXPECT_EQ(buildParameterBlock(p),
              original + lines({"jvmoptions", "2", "-Xss2m", "--enable-preview", "javamin", "17", "javamax", "21",
                                "downloadurl", "https://example.com/java", "startupcache", "1", "workingfolder",
                                "caller", "embeddedjar", "1"}));
}

TEST(ParameterBlockWriter, KeywordsComeInTheOrderOfTheKeywordList) {
    // Three projects, every setting away from its default, write every
    // keyword between them: each all but the two other class path modes
    // and the two other verify modes, and "splashimage", which the compile
    // adds with the place of the image.
    ProjectRecord record;
    record.projectVersion = 2;
    record.extended = fullSettings();
    for (int mode = 0; mode < 3; ++mode) {
        Project p(false);
        ASSERT_TRUE(parseProjectRecord(p, encodeProjectRecord(record)));
        p.setClassPathMode(mode);
        p.setVerifyOption(mode);
        const std::string block = "\n" + buildParameterBlock(p);
        std::size_t at = 0;
        int found = 0;
        for (int k = 0; k < static_cast<int>(BlockKeyword::Count); ++k) {
            const std::size_t next = block.find("\n" + std::string(blockKeywordText(BlockKeyword(k))) + "\n", at);
            if (next != std::string::npos) at = next, ++found;
        }
        EXPECT_EQ(found, static_cast<int>(BlockKeyword::Count) - 5) << block;
    }
}

// docs/formats.md lists every keyword, in the writer's order, between its
// keyword markers: the document stays true to the one list in the code.
TEST(ParameterBlockWriter, TheFormatDocumentListsEveryKeywordInOrder) {
    std::ifstream file(CASKIT_SOURCE_DIR "/docs/formats.md");
    const std::string doc((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t from = doc.find("<!-- keywords -->"), to = doc.find("<!-- /keywords -->");
    ASSERT_TRUE(from != std::string::npos && to != std::string::npos && from < to);
    std::vector<std::string> listed;
    std::istringstream rows(doc.substr(from, to - from));
    for (std::string row; std::getline(rows, row);) {
        // The keywords are the quoted words of a row's first cell.
        const std::string cell = row.substr(0, row.find('|', 2));
        for (std::size_t at = cell.find('`'); at != std::string::npos; at = cell.find('`', at + 1)) {
            const std::size_t end = cell.find('`', at + 1);
            listed.push_back(cell.substr(at + 1, end - at - 1));
            at = end;
        }
    }
    std::vector<std::string> keywords;
    for (int k = 0; k < static_cast<int>(BlockKeyword::Count); ++k) keywords.push_back(blockKeywordText(BlockKeyword(k)));
    EXPECT_EQ(listed, keywords);
}
