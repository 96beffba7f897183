// The parameter dump as it lands in Log.txt: CR LF line ends, three blanks
// in front of every line (six in front of the indented ones).
#include <gtest/gtest.h>

#include "launcher/LaunchParameters.h"
#include "launcher/ParameterDump.h"
#include "tests/launcher/CurrentDirectory.h"
#include "tests/support/TextSupport.h"

namespace {

using caskit_test::exists;
using caskit_test::readFile;
using caskit_test::TempFolder;
using launcher_test::CurrentDirectory;

std::string dumpedFile(const LaunchParameters& p) {
    TempFolder folder;
    CurrentDirectory here(folder.path());
    p.dumpParameters();
    return exists(folder.file("Log.txt")) ? readFile(folder.file("Log.txt")) : "<no log>";
}

TEST(ParameterDump, DefaultObject) {
    LaunchParameters p;
    p.diagnosticsEnabled = true;
    EXPECT_EQ(dumpedFile(p),
              "   \r\n"
              "#Dump of Parameter Object\r\n"
              "      Executable:\r\n"
              "      JRE Path:\r\n"
              "      Java Main Class:\r\n"
              "      ClassPaths:0\r\n"
              "      Append System Classpath\r\n"
              "      Optional Arguments:0\r\n"
              "      Properties:0\r\n"
              "      Minimum Heap Size:1024\r\n"
              "      Maximum Heap Size:16384\r\n"
              "      Native Stack Size:128\r\n"
              "      Java Stack Size:400\r\n"
              "      Class Garbage Collection Enabled\r\n"
              "      Async Garbage Collection Enabled\r\n"
              "      JIT Compiler Enabled\r\n"
              "      No Classes Verify\r\n"
              "   #END Dump of Parameter Object\r\n");
}

TEST(ParameterDump, FilledObjectListsEveryEntryInOrder) {
    LaunchParameters p;
    p.diagnosticsEnabled = true;
    p.exeFolder = "C:\\apps\\";
    p.exeName = "tool.exe";
    p.binaryPath = "#internal#";
    p.mainClass = "app/Main";
    p.classPath = {".\\lib\\app.jar", "."};
    p.classPathMode = ClassPathMode::Prepend;
    p.arguments = {"x", "-v", "C:\\tmp"};
    p.properties = {"app.home=C:\\"};
    p.minHeap = "0";
    p.maxHeap = "65536";
    p.nativeStackSize = "0";
    p.javaStackSize = "0";
    p.classGcEnabled = false;
    p.asyncGcDisabled = true;
    p.jitDisabled = true;
    p.verifyMode = VerifyMode::Remote;
    EXPECT_EQ(dumpedFile(p),
              "   \r\n"
              "#Dump of Parameter Object\r\n"
              "      Executable:C:\\apps\\tool.exe\r\n"
              "      JRE Path:#internal#\r\n"
              "      Java Main Class:app/Main\r\n"
              "      ClassPaths:2\r\n"
              "         Path 0:.\\lib\\app.jar\r\n"
              "         Path 1:.\r\n"
              "      Prepend System Classpath\r\n"
              "      Optional Arguments:3\r\n"
              "         Argument 0:x\r\n"
              "         Argument 1:-v\r\n"
              "         Argument 2:C:\\tmp\r\n"
              "      Properties:1\r\n"
              "         Property 0:app.home=C:\\\r\n"
              "      Minimum Heap Size:0\r\n"
              "      Maximum Heap Size:65536\r\n"
              "      Native Stack Size:0\r\n"
              "      Java Stack Size:0\r\n"
              "      Class Garbage Collection Disabled\r\n"
              "      Async Garbage Collection Disabled\r\n"
              "      JIT Compiler Disabled\r\n"
              "      Network Classes Verify\r\n"
              "   #END Dump of Parameter Object\r\n");
}

TEST(ParameterDump, RemainingModeTexts) {
    LaunchParameters p;
    p.classPathMode = ClassPathMode::Ignore;
    p.verifyMode = VerifyMode::All;
    std::vector<std::string> lines = strs(parameterDumpLines(p));
    EXPECT_EQ(lines[5], "   Ignore System Classpath");
    EXPECT_EQ(lines[lines.size() - 2], "   Classes Verify");
}

TEST(ParameterDump, IndicesCountPastNine) {
    LaunchParameters p;
    for (int i = 0; i < 12; ++i) p.classPath.push_back(text("e" + std::to_string(i)));
    std::vector<std::string> lines = strs(parameterDumpLines(p));
    EXPECT_EQ(lines[4], "   ClassPaths:12");
    EXPECT_EQ(lines[5 + 11], "      Path 11:e11");
}

TEST(ParameterDump, NothingWithoutDiagnostics) {
    LaunchParameters p;
    EXPECT_EQ(dumpedFile(p), "<no log>");
}

}  // namespace
