// Test helper (win64): starts a program with an exact command line and
// current folder (CreateProcessW, so any character reaches it), optionally
// holding F12 down (SendInput) for the whole run; the key is released on
// every path. With --detached the program starts without a console
// (DETACHED_PROCESS), as from a service. With --limited it runs with the
// user's unelevated token (the elevated token's linked one), as a program
// started without "Run as administrator". Exits with the program's exit code.
//   vmbind_launch [--f12 | --detached | --limited] LAUNCHFILE
// LAUNCHFILE, in UTF-8: line 1 the command line, line 2 the current folder
// (empty: this helper's own).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void sendF12(bool down) {
    INPUT input;
    std::memset(&input, 0, sizeof input);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_F12;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

// Holds F12 while alive.
class HeldKey {
public:
    explicit HeldKey(bool hold) : held_(hold) {
        if (held_) sendF12(true);
    }
    ~HeldKey() {
        if (held_) sendF12(false);
    }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    bool held_;
};

bool readLine(FILE* f, std::string& line) {
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(f)) != EOF) {
        any = true;
        if (c == '\n') break;
        if (c != '\r') line.push_back(static_cast<char>(c));
    }
    return any;
}

std::wstring wide(const std::string& utf8) {
    std::wstring text(utf8.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &text[0], static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n - 1) : 0);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const bool f12 = argc == 3 && std::strcmp(argv[1], "--f12") == 0;
    const bool detached = argc == 3 && std::strcmp(argv[1], "--detached") == 0;
    const bool limited = argc == 3 && std::strcmp(argv[1], "--limited") == 0;
    if (argc != (f12 || detached || limited ? 3 : 2)) {
        std::fprintf(stderr, "usage: vmbind_launch [--f12 | --detached | --limited] LAUNCHFILE\n");
        return 200;
    }
    FILE* request = std::fopen(argv[argc - 1], "rb");
    if (!request) return 201;
    std::string commandLine, folder;
    readLine(request, commandLine);
    readLine(request, folder);
    std::fclose(request);

    std::wstring wideLine = wide(commandLine), wideFolder = wide(folder);
    HeldKey key(f12);
    // The key state the program will read must show F12 before it starts;
    // a run without it would fail far from the cause.
    for (int wait = 0; f12 && !(GetAsyncKeyState(VK_F12) & 0x8000); ++wait) {
        if (wait == 200) {
            std::fprintf(stderr, "vmbind_launch: F12 is not held after 2 s\n");
            return 204;
        }
        Sleep(10);
    }
    STARTUPINFOW startup;
    std::memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    std::memset(&process, 0, sizeof process);
    HANDLE token = nullptr, unelevated = nullptr;
    DWORD size = 0;
    if (limited && !(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
                     GetTokenInformation(token, TokenLinkedToken, &unelevated, sizeof unelevated, &size))) {
        std::fprintf(stderr, "vmbind_launch: no unelevated token: %lu\n", GetLastError());
        return 205;
    }
    const bool started =
        limited ? CreateProcessAsUserW(unelevated, nullptr, &wideLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                       folder.empty() ? nullptr : wideFolder.c_str(), &startup, &process)
                : CreateProcessW(nullptr, &wideLine[0], nullptr, nullptr, TRUE, detached ? DETACHED_PROCESS : 0,
                                 nullptr, folder.empty() ? nullptr : wideFolder.c_str(), &startup, &process);
    if (token) CloseHandle(token);
    if (unelevated) CloseHandle(unelevated);
    if (!started) {
        std::fprintf(stderr, "CreateProcessW failed: %lu\n", GetLastError());
        return 202;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 203;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
