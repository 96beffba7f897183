#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/Programs.h"

namespace platform {

std::string programFile(const std::string& path) { return path + ".exe"; }

namespace {

// A kernel handle closed when it goes out of scope.
struct KernelHandle {
    HANDLE h = nullptr;
    ~KernelHandle() { reset(); }
    void reset() {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
        h = nullptr;
    }
};

// `arg` as one word of a command line that the C runtime's parser splits
// back into `arg`: quoted when it is empty or holds blanks or quotes,
// backslashes doubled where a quote follows them.
std::string quotedWord(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

}  // namespace

int runProgram(const std::vector<std::string>& argv, std::string& output) {
    std::string line;
    for (const std::string& a : argv) line += (line.empty() ? "" : " ") + quotedWord(a);
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    KernelHandle readEnd, writeEnd, nothing;
    if (!CreatePipe(&readEnd.h, &writeEnd.h, &inherited, 0) ||
        !SetHandleInformation(readEnd.h, HANDLE_FLAG_INHERIT, 0)) {
        output = argv[0] + ": " + lastErrorText();
        return -1;
    }
    nothing.h = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0,
                            nullptr);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = nothing.h;
    start.hStdOutput = writeEnd.h;
    start.hStdError = writeEnd.h;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &start,
                        &started)) {
        output = argv[0] + ": " + lastErrorText();
        return -1;
    }
    KernelHandle process{started.hProcess}, thread{started.hThread};
    writeEnd.reset();
    output.clear();
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(readEnd.h, buffer, sizeof buffer, &n, nullptr) && n > 0) output.append(buffer, n);
    WaitForSingleObject(process.h, INFINITE);
    DWORD code = 0;
    if (!GetExitCodeProcess(process.h, &code)) return -1;
    return static_cast<int>(code);
}

bool makePrivateFolder(const std::string& path, bool& taken) {
    taken = false;
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    taken = GetLastError() == ERROR_ALREADY_EXISTS;
    return false;
}

}  // namespace platform
