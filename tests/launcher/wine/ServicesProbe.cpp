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

#include "builder/engine/ParameterTrailerWriter.h"
#include "launcher/DiagnosticLog.h"
#include "launcher/Environment.h"
#include "launcher/FolderProbe.h"
#include "launcher/LaunchParameters.h"
#include "launcher/ParameterTrailer.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TextSupport.h"

namespace {

std::FILE* gReport = nullptr;
int gFailures = 0;

void expectEqual(const std::string& what, const std::string& actual, const std::string& wanted) {
    if (actual == wanted) return;
    ++gFailures;
    std::fprintf(gReport, "FAIL %s: got [%s], wanted [%s]\n", what.c_str(), actual.c_str(), wanted.c_str());
}

void expectTrue(const std::string& what, bool condition) { expectEqual(what, condition ? "true" : "false", "true"); }

std::string joined(const List<Text>& items) {
    std::string text;
    for (const Text& item : items) text += "[" + str(item) + "]";
    return text;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string currentFolder() {
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return std::string(buffer, n);
}

void checkModulePath() {
    Text folder, name;
    splitModulePath(folder, name);
    expectEqual("exeName", str(name), "services_probe.exe");
    expectTrue("exeFolder ends with a backslash", !folder.empty() && folder.back() == '\\');
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    expectEqual("exeFolder + exeName", str(folder + name), std::string(path, n));
}

void checkFolderProbe(const std::string& work) {
    expectEqual("probe path", str(folderProbePath("C:\\jre")), "C:\\jre\\zy8zxx.zxi");
    expectEqual("probe path with backslash", str(folderProbePath("C:\\jre\\")), "C:\\jre\\zy8zxx.zxi");
    expectEqual("probe path of no folder", str(folderProbePath("")), "\\zy8zxx.zxi");
    expectTrue("writable folder", isFolderWritable(work));
    expectTrue("writable folder with backslash", isFolderWritable(work + "\\"));
    expectTrue("probe file removed", !exists(work + "\\zy8zxx.zxi"));
    expectTrue("missing folder", !isFolderWritable(work + "\\missing"));
}

// The probe's own CreateFileA call, recorded by a wrapper put into this
// program's import table: Windows lets CREATE_ALWAYS replace an existing
// hidden file (left by a run that ended between creating and deleting it)
// only when the hidden attribute is asked for too. Wine does not refuse
// it, so the call itself is checked.
using CreateFileAFunction = HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
CreateFileAFunction gCreateFileA = nullptr;
DWORD gProbeDisposition = 0;
DWORD gProbeAttributes = 0;

HANDLE WINAPI recordingCreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                   DWORD disposition, DWORD attributes, HANDLE templateFile) {
    std::string name = path ? path : "";
    if (name.size() >= 10 && name.compare(name.size() - 10, 10, "zy8zxx.zxi") == 0) {
        gProbeDisposition = disposition;
        gProbeAttributes = attributes;
    }
    return gCreateFileA(path, access, share, security, disposition, attributes, templateFile);
}

// Points this program's import of KERNEL32 `function` at `replacement`;
// answers the function it pointed at, or null.
void* replaceImport(const char* function, void* replacement) {
    auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name; ++dll) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + dll->Name), "KERNEL32.dll") != 0) continue;
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; name->u1.AddressOfData; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (std::string(reinterpret_cast<const char*>(byName->Name)) != function) continue;
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
            void* previous = reinterpret_cast<void*>(slot->u1.Function);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

void checkHiddenProbeFile(const std::string& work) {
    std::string folder = work + "\\hidden";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string probe = folder + "\\zy8zxx.zxi";
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    expectTrue("hidden probe file made", h != INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    gCreateFileA = reinterpret_cast<CreateFileAFunction>(
        replaceImport("CreateFileA", reinterpret_cast<void*>(&recordingCreateFileA)));
    expectTrue("CreateFileA recorded", gCreateFileA != nullptr);
    if (!gCreateFileA) return;
    expectTrue("probe over a hidden probe file", isFolderWritable(folder));
    replaceImport("CreateFileA", reinterpret_cast<void*>(gCreateFileA));
    expectTrue("the probe replaces its file (CREATE_ALWAYS)", gProbeDisposition == CREATE_ALWAYS);
    expectTrue("the probe asks for the hidden attribute", (gProbeAttributes & FILE_ATTRIBUTE_HIDDEN) != 0);
    expectTrue("hidden probe file removed", !exists(probe));
}

// The trailer is read while another handle has the file open for writing
// (a builder appending to it, or a scanner): the launcher's reader allows
// others to read and write.
void checkTrailerOfAFileOpenForWriting(const std::string& work) {
    std::string path = work + "\\held.exe";
    std::string block = "classname\nheld.Main\n";
    std::string bytes = std::string(64, 'M') + encodeParameterTrailer(block);
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    expectTrue("file held for writing", writer != INVALID_HANDLE_VALUE);
    if (writer == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(writer, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    // The system enforces sharing: a reader that denies writing is refused.
    HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    expectTrue("a reader denying writers is refused", exclusive == INVALID_HANDLE_VALUE);
    if (exclusive != INVALID_HANDLE_VALUE) CloseHandle(exclusive);
    expectEqual("trailer of a file open for writing", str(readParameterTrailer(path)), block);
    CloseHandle(writer);
}

void checkLog(const std::string& work) {
    std::string logFolder = work + "\\log";
    CreateDirectoryA(logFolder.c_str(), nullptr);
    DiagnosticLog log;
    log.place(text(logFolder + "\\Log.txt"), "");
    log.writeLine("one");
    SetCurrentDirectoryA(work.c_str());  // changes nothing: the place is fixed
    log.writeLine("\ntwo");
    expectEqual("Log.txt bytes", caskit_test::readFile(logFolder + "\\Log.txt"), "   one\r\n   \r\ntwo\r\n");

    // A folder named Log.txt cannot be opened as the log: the fallback
    // takes it, and says so first; without one the log stays failed.
    std::string blocked = work + "\\blocked";
    CreateDirectoryA(blocked.c_str(), nullptr);
    CreateDirectoryA((blocked + "\\Log.txt").c_str(), nullptr);
    DiagnosticLog moved;
    moved.place(text(blocked + "\\Log.txt"), text(logFolder + "\\app-Log.txt"));
    moved.writeLine("kept");
    expectEqual("fallback bytes", caskit_test::readFile(logFolder + "\\app-Log.txt"),
                "   #" + blocked + "\\Log.txt cannot be written; this log is " + logFolder + "\\app-Log.txt\r\n   kept\r\n");
    // A fallback with a second link is refused, and never written through.
    caskit_test::writeFile(logFolder + "\\victim", "");
    CreateHardLinkA((logFolder + "\\linked-Log.txt").c_str(), (logFolder + "\\victim").c_str(), nullptr);
    DiagnosticLog linked;
    linked.place(text(blocked + "\\Log.txt"), text(logFolder + "\\linked-Log.txt"));
    linked.writeLine("secret");
    expectTrue("linked fallback refused", !linked.good() && caskit_test::readFile(logFolder + "\\victim").empty());
    DiagnosticLog failing;
    failing.place(text(blocked + "\\Log.txt"), "");
    failing.writeLine("lost");
    RemoveDirectoryA((blocked + "\\Log.txt").c_str());
    failing.writeLine("lost too");
    expectTrue("failed log stays failed", !failing.good());
    expectTrue("no Log.txt after a failure", !exists(blocked + "\\Log.txt"));
}

void checkEnvironment() {
    Text text = "%caskit_wine_var%x";
    expandVariable(text);
    expectEqual("expansion ignores case", str(text), "abcx");
    SetEnvironmentVariableA("CASKIT_WINE_LIVE", "live");
    text = "%CASKIT_WINE_LIVE%";
    expandVariable(text);
    expectEqual("live variable not expanded", str(text), "%CASKIT_WINE_LIVE%");

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

    List<Text> prepend = {".\\app.jar"};
    mergeSystemClassPath(prepend, ClassPathMode::Prepend);
    expectEqual("class path prepend", joined(prepend), "[C:\\lib\\x.jar][.\\app.jar][.]");
    List<Text> ignore = {".\\app.jar"};
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
    diagnosticLog().place(text(folder + "\\Log.txt"), "");
    p.dumpParameters();
    std::string dump = caskit_test::readFile(folder + "\\Log.txt");
    std::string head = "   \r\n#Dump of Parameter Object\r\n      Executable:" + str(p.exeFolder + p.exeName) + "\r\n";
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
    checkHiddenProbeFile(work);
    checkTrailerOfAFileOpenForWriting(work);
    checkLog(work);
    checkEnvironment();
    checkCommandLineAndDump(work);
    std::fprintf(gReport, "done\n");
    std::fclose(gReport);
    return gFailures ? 1 : 0;
}
