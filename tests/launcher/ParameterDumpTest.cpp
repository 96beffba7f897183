// The parameter dump as it lands in Log.txt: line ends (LF on Linux), three
// blanks in front of every line (six in front of the indented ones).
#include <gtest/gtest.h>

#include "launcher/DiagnosticLog.h"
#include "launcher/LaunchParameters.h"
#include "launcher/ParameterDump.h"
#include "tests/launcher/CurrentDirectory.h"
#include "tests/support/TextSupport.h"

namespace {

using caskit_test::exists;
using caskit_test::readFile;
using caskit_test::TempFolder;

std::string dumpedFile(const LaunchParameters& p) {
    TempFolder folder;
    diagnosticLog().place(text(folder.file("Log.txt")), "");
    p.dumpParameters();
    return exists(folder.file("Log.txt")) ? readFile(folder.file("Log.txt")) : "<no log>";
}

TEST(ParameterDump, DefaultObject) {
    LaunchParameters p;
    p.diagnosticsEnabled = true;
    EXPECT_EQ(dumpedFile(p),
              "   \n"
              "#Dump of Parameter Object\n"
              "      Executable:\n"
              "      JRE Path:\n"
              "      Java Main Class:\n"
              "      ClassPaths:0\n"
              "      Append System Classpath\n"
              "      Optional Arguments:0\n"
              "      Properties:0\n"
              "      Minimum Heap Size:1024\n"
              "      Maximum Heap Size:16384\n"
              "      Native Stack Size:128\n"
              "      Java Stack Size:400\n"
              "      Class Garbage Collection Enabled\n"
              "      Async Garbage Collection Enabled\n"
              "      JIT Compiler Enabled\n"
              "      No Classes Verify\n"
              "   #END Dump of Parameter Object\n");
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
              "   \n"
              "#Dump of Parameter Object\n"
              "      Executable:C:\\apps\\tool.exe\n"
              "      JRE Path:#internal#\n"
              "      Java Main Class:app/Main\n"
              "      ClassPaths:2\n"
              "         Path 0:.\\lib\\app.jar\n"
              "         Path 1:.\n"
              "      Prepend System Classpath\n"
              "      Optional Arguments:3\n"
              "         Argument 0:x\n"
              "         Argument 1:-v\n"
              "         Argument 2:C:\\tmp\n"
              "      Properties:1\n"
              "         Property 0:app.home=C:\\\n"
              "      Minimum Heap Size:0\n"
              "      Maximum Heap Size:65536\n"
              "      Native Stack Size:0\n"
              "      Java Stack Size:0\n"
              "      Class Garbage Collection Disabled\n"
              "      Async Garbage Collection Disabled\n"
              "      JIT Compiler Disabled\n"
              "      Network Classes Verify\n"
              "   #END Dump of Parameter Object\n");
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
