// The launcher's services against the real Win32 calls: backslash paths,
// the folder probe, Log.txt in append mode with CR LF, %NAME% expansion
// and CLASSPATH from the Windows start-up environment, "environment"
// records in the process environment. Writes "FAIL ..." lines and a final
// "done" to the report file; started by run_self_check.py with
//   CASKIT_WINE_VAR=abc  CLASSPATH=C:\lib\x.jar;.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "launcher/DiagnosticLog.h"
#include "launcher/Environment.h"
#include "launcher/FolderProbe.h"
#include "launcher/LaunchParameters.h"

namespace {

std::FILE* gReport = nullptr;
int gFailures = 0;

void expectEqual(const std::string& what, const std::string& actual, const std::string& wanted) {
    if (actual == wanted) return;
    ++gFailures;
    std::fprintf(gReport, "FAIL %s: got [%s], wanted [%s]\n", what.c_str(), actual.c_str(), wanted.c_str());
}

void expectTrue(const std::string& what, bool condition) { expectEqual(what, condition ? "true" : "false", "true"); }

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += "[" + item + "]";
    return text;
}

std::string fileText(const std::string& path) {
    std::string text;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string currentFolder() {
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, n);
}

void checkModulePath() {
    std::string folder, name;
    splitModulePath(folder, name);
    expectEqual("exeName", name, "services_probe.exe");
    expectTrue("exeFolder ends with a backslash", !folder.empty() && folder.back() == '\\');
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    expectEqual("exeFolder + exeName", folder + name, std::string(path, n));
}

void checkFolderProbe(const std::string& work) {
    expectEqual("probe path", folderProbePath("C:\\jre"), "C:\\jre\\zy8zxx.zxi");
    expectEqual("probe path with backslash", folderProbePath("C:\\jre\\"), "C:\\jre\\zy8zxx.zxi");
    expectEqual("probe path of no folder", folderProbePath(""), "\\zy8zxx.zxi");
    expectTrue("writable folder", isFolderWritable(work));
    expectTrue("writable folder with backslash", isFolderWritable(work + "\\"));
    expectTrue("probe file removed", !exists(work + "\\zy8zxx.zxi"));
    expectTrue("missing folder", !isFolderWritable(work + "\\missing"));
}

void checkLog(const std::string& work) {
    std::string logFolder = work + "\\log";
    CreateDirectoryA(logFolder.c_str(), nullptr);
    SetCurrentDirectoryA(logFolder.c_str());
    DiagnosticLog log;
    log.writeLine("one");
    log.writeLine("\ntwo");
    expectEqual("Log.txt bytes", fileText(logFolder + "\\Log.txt"), "   one\r\n   \r\ntwo\r\n");

    // Sticky failure: a folder named Log.txt cannot be opened as the log.
    std::string blocked = work + "\\blocked";
    CreateDirectoryA(blocked.c_str(), nullptr);
    CreateDirectoryA((blocked + "\\Log.txt").c_str(), nullptr);
    std::string fine = work + "\\fine";
    CreateDirectoryA(fine.c_str(), nullptr);
    DiagnosticLog failing;
    SetCurrentDirectoryA(blocked.c_str());
    failing.writeLine("lost");
    SetCurrentDirectoryA(fine.c_str());
    failing.writeLine("lost too");
    expectTrue("failed log stays failed", !failing.good());
    expectTrue("no Log.txt after a failure", !exists(fine + "\\Log.txt"));
    SetCurrentDirectoryA(work.c_str());
}

void checkEnvironment() {
    std::string text = "%caskit_wine_var%x";
    expandVariable(text);
    expectEqual("expansion ignores case", text, "abcx");
    SetEnvironmentVariableA("CASKIT_WINE_LIVE", "live");
    text = "%CASKIT_WINE_LIVE%";
    expandVariable(text);
    expectEqual("live variable not expanded", text, "%CASKIT_WINE_LIVE%");

    LaunchParameters p(PropertyStyle::Option);
    p.parseBlock(
        "environment\n2\nCASKIT_WINE_SET\n%OS%\nCASKIT_WINE_EMPTY\n\nproperties\n1\nv=%CASKIT_WINE_VAR%\n"
        "classpath\n1\n.\\app.jar\n");
    char value[64] = "unchanged";
    DWORD n = GetEnvironmentVariableA("CASKIT_WINE_SET", value, sizeof value);
    expectEqual("environment record", std::string(value, n), "%OS%");
    SetLastError(0);
    n = GetEnvironmentVariableA("CASKIT_WINE_EMPTY", value, sizeof value);
    expectTrue("empty environment value is set", n == 0 && GetLastError() != ERROR_ENVVAR_NOT_FOUND);
    expectEqual("property", joined(p.properties), "[-Dv=abc]");
    expectEqual("class path append", joined(p.classPath), "[.\\app.jar][.][C:\\lib\\x.jar]");

    std::vector<std::string> prepend = {".\\app.jar"};
    mergeSystemClassPath(prepend, ClassPathMode::Prepend);
    expectEqual("class path prepend", joined(prepend), "[C:\\lib\\x.jar][.\\app.jar][.]");
    std::vector<std::string> ignore = {".\\app.jar"};
    mergeSystemClassPath(ignore, ClassPathMode::Ignore);
    expectEqual("class path ignore", joined(ignore), "[.\\app.jar][.]");
}

void checkCommandLineAndDump(const std::string& work) {
    std::string folder = work + "\\dump";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    LaunchParameters p;
    p.parseCommandLine("a \"b c\" \"\" d");
    expectEqual("command-line tokens", joined(p.arguments), "[a][b c][][d]");
    expectTrue("no key, no diagnostics", !p.diagnosticsEnabled);
    expectTrue("no key, no Log.txt", !exists(folder + "\\Log.txt"));
    p.diagnosticsEnabled = true;
    p.dumpParameters();
    std::string dump = fileText(folder + "\\Log.txt");
    std::string head = "   \r\n#Dump of Parameter Object\r\n      Executable:" + p.exeFolder + p.exeName + "\r\n";
    expectEqual("dump head", dump.substr(0, head.size()), head);
    expectTrue("dump ends", dump.size() > 34 && dump.substr(dump.size() - 34) == "   #END Dump of Parameter Object\r\n");
    SetCurrentDirectoryA(work.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    gReport = std::fopen(argv[1], "wb");
    if (!gReport) return 3;
    const std::string work = currentFolder();
    checkModulePath();
    checkFolderProbe(work);
    checkLog(work);
    checkEnvironment();
    checkCommandLineAndDump(work);
    std::fprintf(gReport, "done\n");
    std::fclose(gReport);
    return gFailures ? 1 : 0;
}
