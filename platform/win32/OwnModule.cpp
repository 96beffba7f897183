#include <windows.h>

#include "platform/CodePage.h"
#include "platform/OwnModule.h"
#include "platform/Unicode.h"
#include "platform/CommandLine.h"

namespace platform {

namespace {

// The module path in UTF-16, NUL-terminated, read with a growing buffer.
List<uint16_t> wideModulePath() {
    List<uint16_t> path;
    for (DWORD size = MAX_PATH + 1; size <= 0x10000; size *= 2) {
        path.resize(size);
        DWORD n = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()), size);
        if (n == 0) break;
        if (n < size) {
            path.resize(n + 1);
            return path;
        }
    }
    return List<uint16_t>();
}

// The ANSI form of a UTF-16 path (NUL-terminated); false when a character
// has none.
bool ansiPath(const List<uint16_t>& wide, Text& ansi) { return exactAnsiFromUtf16(wide.data(), wide.size() - 1, ansi); }

List<uint16_t> shortPath(const List<uint16_t>& wide) {
    const wchar_t* text = reinterpret_cast<const wchar_t*>(wide.data());
    const DWORD size = GetShortPathNameW(text, nullptr, 0);
    List<uint16_t> path;
    if (size == 0) return path;
    path.resize(size);
    const DWORD n = GetShortPathNameW(text, reinterpret_cast<wchar_t*>(path.data()), size);
    if (n == 0 || n >= size) return List<uint16_t>();
    path.resize(n + 1);
    return path;
}

}  // namespace

// Windows 95 and 98 have only the ANSI path (their wide calls fail).
Text ansiModulePath() {
    char buffer[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return Text();
    return Text(buffer, n);
}

Text ownModulePath(bool* shortForm) {
    if (shortForm) *shortForm = false;
    const List<uint16_t> wide = wideModulePath();
    if (wide.empty()) return ansiModulePath();
    Text ansi;
    // The ANSI file calls take paths of fewer than MAX_PATH characters.
    if (ansiPath(wide, ansi) && ansi.size() < MAX_PATH) return ansi;
    const List<uint16_t> brief = shortPath(wide);
    Text shortAnsi;
    if (brief.empty() || !ansiPath(brief, shortAnsi)) return ansi;  // the best the code page can do
    if (shortForm) *shortForm = true;
    return shortAnsi;
}

Text ownModulePathUtf8() {
    const List<uint16_t> wide = wideModulePath();
    if (wide.empty()) return utf8FromAnsi(ansiModulePath());
    return utf8FromUtf16(wide.data(), wide.size() - 1);
}

File openOwnCompanion(const char* extension, Text& path, bool& missing) {
    path = companionPath(ownModulePathUtf8(), extension);
    List<uint16_t> wide = utf16FromUtf8(path);
    wide.push_back(0);
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(wide.data()), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    if (error == ERROR_CALL_NOT_IMPLEMENTED) {  // Windows 95 and 98: the ANSI path
        const Text ansi = companionPath(ansiModulePath(), extension);
        missing = !fileExists(ansi.c_str());
        return File::open(ansi.c_str(), File::Mode::ReadShared);
    }
    missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return File::adopt(h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(h));
}

File openOwnExecutable() {
    const List<uint16_t> wide = wideModulePath();
    if (wide.empty()) return File::open(ansiModulePath().c_str(), File::Mode::ReadShared);
    HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(wide.data()), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED)
        return File::open(ansiModulePath().c_str(), File::Mode::ReadShared);
    return File::adopt(h == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(h));
}

// Without a command line, the child's is its path: its arguments may be
// cut from an unquoted path, but it uses none.
bool startOwnProgram() {
    const List<uint16_t> path = wideModulePath();
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (path.empty() || !CreateProcessW(reinterpret_cast<const wchar_t*>(path.data()), nullptr, nullptr, nullptr,
                                        FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

namespace {

// The new process with this one's standard streams; the wide calls first,
// the ANSI ones where they are missing (Windows 95 and 98). The module's
// path is given as the program: the command line's first word may be
// relative to a current folder that has changed since.
bool startAgain(PROCESS_INFORMATION& process) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    const List<uint16_t> path = wideModulePath();
    if (!path.empty()) {
        // CreateProcessW may write to the line it is given: a copy.
        const wchar_t* line = GetCommandLineW();
        List<wchar_t> copy;
        for (size_t i = 0;; ++i) {
            copy.push_back(line[i]);
            if (!line[i]) break;
        }
        return CreateProcessW(reinterpret_cast<const wchar_t*>(path.data()), copy.data(), nullptr, nullptr, TRUE, 0,
                              nullptr, nullptr, &startup, &process);
    }
    STARTUPINFOA ansi = {};
    ansi.cb = sizeof ansi;
    ansi.dwFlags = STARTF_USESTDHANDLES;
    ansi.hStdInput = startup.hStdInput;
    ansi.hStdOutput = startup.hStdOutput;
    ansi.hStdError = startup.hStdError;
    const Text ansiPath = ansiModulePath();
    return !ansiPath.empty() && CreateProcessA(ansiPath.c_str(), GetCommandLineA(), nullptr, nullptr, TRUE, 0, nullptr,
                                               nullptr, &ansi, &process);
}

}  // namespace

int runOwnProgramAgain() {
    PROCESS_INFORMATION process;
    if (!startAgain(process)) return -1;
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    const bool read = GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return read ? static_cast<int>(code) : -1;
}

unsigned long ownProcessId() { return GetCurrentProcessId(); }

void lowerOwnPriority() { SetPriorityClass(GetCurrentProcess(), BELOW_NORMAL_PRIORITY_CLASS); }

bool ownCommandLineArguments(Text& arguments) {
    const uint16_t* line = reinterpret_cast<const uint16_t*>(GetCommandLineW());
    if (!line) return false;
    line += programNameLength(line);
    size_t n = 0;
    while (line[n]) ++n;
    arguments = utf8FromUtf16(line, n);
    return true;
}

const char* ownAnsiArguments() {
    const char* line = GetCommandLineA();
    return line ? line + programNameLength(line) : nullptr;
}

const char* ownResourceBytes(unsigned type, unsigned id, size_t& size) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    HGLOBAL loaded = info ? LoadResource(nullptr, info) : nullptr;
    size = info ? SizeofResource(nullptr, info) : 0;
    return loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
}

bool ownResource(unsigned type, unsigned id, Text& bytes) {
    bytes.clear();
    size_t size = 0;
    const char* data = ownResourceBytes(type, id, size);
    if (!data) return false;
    bytes.append(data, size);
    return true;
}

}  // namespace platform
