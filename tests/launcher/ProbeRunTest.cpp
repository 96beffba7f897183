// The whole read of a Linux launcher: a copy of launcher_probe with a
// parameter trailer appended, run as a child process with a prepared
// start-up environment (CLASSPATH, %NAME% values, the stand-in for F12).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "builder/engine/ParameterTrailerWriter.h"
#include "launcher/ParameterTrailer.h"
#include "tests/support/TempFolder.h"

namespace {

using caskit_test::exists;
using caskit_test::readFile;
using caskit_test::TempFolder;
using caskit_test::writeFile;
using Strings = std::vector<std::string>;
using Environment = std::map<std::string, std::string>;

// What the probe reported: every value of every key, in order.
struct Report {
    std::multimap<std::string, std::string> values;
    std::string one(const std::string& key) const {
        auto it = values.find(key);
        return it == values.end() ? "<missing>" : it->second;
    }
    Strings all(const std::string& key) const {
        Strings result;
        for (auto [it, end] = values.equal_range(key); it != end; ++it) result.push_back(it->second);
        return result;
    }
};

class ProbeRun : public ::testing::Test {
protected:
    // A copy of the probe named stub12 in its own folder, `tail` appended.
    std::string makeLauncher(const std::string& tail) {
        std::string exe = exeFolder.file("stub12");
        writeFile(exe, readFile(LAUNCHER_PROBE_PATH) + tail);
        EXPECT_EQ(chmod(exe.c_str(), 0755), 0);
        return exe;
    }

    // Runs `exe` in `startFolder` with exactly `environment` (plus the
    // sanitizer settings) and reads its report.
    Report run(const std::string& exe, const std::string& commandLine, Environment environment,
               const Strings& options = {}, const std::string& style = "plain") {
        for (const char* keep : {"ASAN_OPTIONS", "UBSAN_OPTIONS"})
            if (const char* v = getenv(keep)) environment[keep] = v;
        std::vector<std::string> envText, args = {exe, output(), style, commandLine};
        for (auto& [name, value] : environment) envText.push_back(name + "=" + value);
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv, envp;
        for (auto& a : args) argv.push_back(a.data());
        for (auto& e : envText) envp.push_back(e.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);

        pid_t child = fork();
        if (child == 0) {
            if (chdir(startFolder.path().c_str()) != 0) _exit(126);
            execve(exe.c_str(), argv.data(), envp.data());
            _exit(127);
        }
        int status = 0;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "probe status " << status;

        Report report;
        std::string text = readFile(output());
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            std::string line = text.substr(pos, end - pos);
            std::size_t eq = line.find('=');
            report.values.emplace(line.substr(0, eq), line.substr(eq + 1));
            pos = end + 1;
        }
        return report;
    }

    Report runBlock(const std::string& block, const std::string& commandLine = "", Environment environment = {},
                    const Strings& options = {}, const std::string& style = "plain") {
        return run(makeLauncher(encodeParameterTrailer(block)), commandLine, environment, options, style);
    }

    std::string output() const { return results.file("report.txt"); }

    TempFolder exeFolder, startFolder, results;
};

TEST_F(ProbeRun, UnconfiguredLauncherKeepsEveryDefault) {
    Report r = run(makeLauncher(std::string(4, '\0')), "", {});
    EXPECT_EQ(r.one("diagnostics"), "0");
    EXPECT_EQ(r.one("exeFolder"), exeFolder.path() + "/");
    EXPECT_EQ(r.one("exeName"), "stub12");
    EXPECT_EQ(r.one("binaryPath"), "");
    EXPECT_EQ(r.one("mainClass"), "");
    EXPECT_EQ(r.all("argument"), Strings{});
    EXPECT_EQ(r.all("classPath"), Strings{});
    EXPECT_EQ(r.all("property"), Strings{});
    EXPECT_EQ(r.one("classPathMode"), "0");
    EXPECT_EQ(r.one("sizes"), "1024,16384,128,400");
    EXPECT_EQ(r.one("switches"), "10000");
    EXPECT_EQ(r.one("verifyMode"), "0");
}

TEST_F(ProbeRun, TrailerBlockIsReadAndCommandLineTokensComeFirst) {
    Report r = runBlock("binarypath\n/usr/lib/jvm/lib/server/libjvm.so\nclassname\napp.Main\nparameters\ny z\n"
                        "classpath\n1\nlib/app.jar\nproperties\n1\na=1\nconsole\n1\nminheap\n2048\n",
                        "x", {}, {}, "option");
    EXPECT_EQ(r.one("binaryPath"), "/usr/lib/jvm/lib/server/libjvm.so");
    EXPECT_EQ(r.one("mainClass"), "app/Main");
    EXPECT_EQ(r.all("argument"), (Strings{"x", "y", "z"}));
    EXPECT_EQ(r.all("classPath"), (Strings{"lib/app.jar"}));
    EXPECT_EQ(r.all("property"), (Strings{"-Da=1"}));
    EXPECT_EQ(r.one("switches"), "10010");
    EXPECT_EQ(r.one("sizes"), "2048,16384,128,400");
}

TEST_F(ProbeRun, CommandLineTokensAreNotExpandedAndEmptyQuotesAreKept) {
    Report r = runBlock("", "%OS% \"\" \"b c\"  d", {{"OS", "Linux"}});
    EXPECT_EQ(r.all("argument"), (Strings{"%OS%", "", "b c", "d"}));
}

TEST_F(ProbeRun, SystemClassPathInEveryMode) {
    Environment env = {{"CLASSPATH", "/lib/x.jar:."}};
    EXPECT_EQ(runBlock("classpath\n1\n./app.jar\n", "", env).all("classPath"),
              (Strings{"./app.jar", ".", "/lib/x.jar"}));
    EXPECT_EQ(runBlock("prependcp\nclasspath\n1\n./app.jar\n", "", env).all("classPath"),
              (Strings{"/lib/x.jar", "./app.jar", "."}));
    EXPECT_EQ(runBlock("nocp\nclasspath\n1\n./app.jar\n", "", env).all("classPath"), (Strings{"./app.jar", "."}));
}

TEST_F(ProbeRun, SystemClassPathUnsetEmptyAndRepeated) {
    EXPECT_EQ(runBlock("classpath\n2\na\nb\n").all("classPath"), (Strings{"a", "b"}));
    EXPECT_EQ(runBlock("", "", {{"CLASSPATH", ""}}).all("classPath"), (Strings{"."}));
    EXPECT_EQ(runBlock("", "", {{"CLASSPATH", "::a::a:b"}}).all("classPath"), (Strings{".", "a", "b"}));
    EXPECT_EQ(runBlock("classpath\n1\n/lib\n", "", {{"CLASSPATH", "/LIB"}}).all("classPath"),
              (Strings{"/lib", ".", "/LIB"}));
}

TEST_F(ProbeRun, ReferencesUseTheStartupEnvironment) {
    Report r = runBlock("parameters\n%OS%xxx %A%;%B% 100%\nproperties\n1\nhome=%OS%\n", "",
                        {{"OS", "Windows_NT"}, {"A", "1"}, {"B", "2"}});
    EXPECT_EQ(r.all("argument"), (Strings{"Windows_NTxxx", "%A%;%B%", "100%"}));
    EXPECT_EQ(r.all("property"), (Strings{"home=Windows_NT"}));
}

TEST_F(ProbeRun, VariableSetByTheBlockIsNotSeenByExpansion) {
    const std::string block = "environment\n1\nAPP_X\nfrom-block\nproperties\n1\nx=%APP_X%\n";
    Report unset = runBlock(block, "", {}, {"show=APP_X"});
    EXPECT_EQ(unset.all("property"), (Strings{"x=%APP_X%"}));
    EXPECT_EQ(unset.one("env:APP_X"), "from-block");
    Report preset = runBlock(block, "", {{"APP_X", "at-start"}}, {"show=APP_X"});
    EXPECT_EQ(preset.all("property"), (Strings{"x=at-start"}));
    EXPECT_EQ(preset.one("env:APP_X"), "from-block");
}

TEST_F(ProbeRun, WithoutTheKeyNoLogIsWritten) {
    Report r = runBlock("classname\na\n", "x", {}, {"dump"});
    EXPECT_EQ(r.one("diagnostics"), "0");
    EXPECT_FALSE(exists(startFolder.file("Log.txt")));
    EXPECT_FALSE(exists(exeFolder.file("Log.txt")));
}

TEST_F(ProbeRun, WithTheKeyTheWholeLogIsBesideTheExecutable) {
    Report r = runBlock("classname\na.B\n", "x  \"y z\"", {{"CASKIT_DIAGNOSTICS", "1"}}, {"dump"});
    EXPECT_EQ(r.one("diagnostics"), "1");
    EXPECT_FALSE(exists(startFolder.file("Log.txt")));
    std::string log = readFile(exeFolder.file("Log.txt"));
    const std::string first = "   #Command Line Args:x  \"y z\"\n";
    const std::string dump = "   \n#Dump of Parameter Object\n      Executable:" + exeFolder.path() + "/stub12\n";
    EXPECT_EQ(log.rfind(first + dump, 0), 0u) << log;
    EXPECT_NE(log.find("\n      Java Main Class:a/B\n"), std::string::npos);
    EXPECT_NE(log.find("\n      Optional Arguments:2\n         Argument 0:x\n         Argument 1:y z\n"),
              std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 33), "   #END Dump of Parameter Object\n");
}

TEST_F(ProbeRun, UnwritableExecutableFolderSendsTheLogToTmpdir) {
    ASSERT_EQ(mkdir(exeFolder.file("Log.txt").c_str(), 0755), 0);
    Report r = runBlock("", "x", {{"CASKIT_DIAGNOSTICS", "1"}, {"TMPDIR", startFolder.path()}}, {"dump"});
    EXPECT_EQ(r.one("diagnostics"), "1");
    std::string log = readFile(startFolder.file("stub12-Log.txt"));
    EXPECT_EQ(log.rfind("   #" + exeFolder.file("Log.txt") + " cannot be written; this log is " +
                            startFolder.file("stub12-Log.txt") + "\n   #Command Line Args:x\n   \n#Dump",
                        0),
              0u)
        << log;
}

TEST_F(ProbeRun, MalformedTrailersGiveAnEmptyBlock) {
    std::string block = "classname\nA\n";
    // Length word one larger than what precedes it: the whole file plus one.
    std::string probe = readFile(LAUNCHER_PROBE_PATH);
    std::uint32_t tooLong = static_cast<std::uint32_t>(probe.size() + block.size() + 1);
    std::string word(4, '\0');
    for (int i = 0; i < 4; ++i) word[i] = static_cast<char>((tooLong >> (8 * i)) & 0xFF);
    EXPECT_EQ(run(makeLauncher(block + word), "", {}).one("mainClass"), "");
    EXPECT_EQ(run(makeLauncher(block + std::string("\xff\xff\xff\xff", 4)), "", {}).one("mainClass"), "");
    // A NUL ends the block.
    EXPECT_EQ(runBlock(std::string("nocp\n\0classname\nA\n", 18)).one("mainClass"), "");
    Report cut = runBlock(std::string("classname\nA\n\0nocp\n", 18));
    EXPECT_EQ(cut.one("mainClass"), "A");
    EXPECT_EQ(cut.one("classPathMode"), "0");
}

}  // namespace
