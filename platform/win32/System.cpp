#include <windows.h>

#include "platform/Browser.h"
#include "platform/Console.h"
#include "platform/DynamicLibrary.h"
#include "platform/Keyboard.h"
#include "platform/Memory.h"
#include "platform/MessageBox.h"
#include "platform/MessageHookState.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace platform {

void writeStandardError(const char* bytes, size_t size) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (error && error != INVALID_HANDLE_VALUE) WriteFile(error, bytes, static_cast<DWORD>(size), &written, nullptr);
}

namespace {

// "caption: text" (the text alone under an empty caption) as one line:
// every run of line breaks in the text becomes one blank. Written at once,
// so that it does not interleave with the program's own output.
void writeMessageLine(const char* text, const char* caption) {
    Text line;
    if (caption && *caption) {
        line += caption;
        line += ": ";
    }
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p != '\r' && *p != '\n') {
            line += *p;
        } else if (p[1] && p[1] != '\r' && p[1] != '\n') {
            line += ' ';
        }
    }
    line += "\r\n";
    writeStandardError(line.data(), line.size());
}

}  // namespace

bool isConsoleProgram() {
    const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return headers->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
}

bool isDiagnosticKeyHeld() { return (GetAsyncKeyState(VK_F12) & 0x8000) != 0; }

void beep(unsigned frequency, unsigned milliseconds) { Beep(frequency, milliseconds); }

bool allocConsole() { return AllocConsole() != 0; }
void freeConsole() { FreeConsole(); }

void* DynamicLibrary::symbol(const char* name) const {
    if (!handle_) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::reset() {
    if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

DynamicLibrary loadLibrary(const char* path) { return DynamicLibrary(LoadLibraryA(path)); }

// The module is the allocation that holds the address (VirtualQuery, which
// every Windows has; GetModuleHandleExA not).
Text libraryPathOf(const void* address) {
    MEMORY_BASIC_INFORMATION memory;
    char path[MAX_PATH];
    DWORD n = 0;
    if (VirtualQuery(address, &memory, sizeof memory))
        n = GetModuleFileNameA(static_cast<HMODULE>(memory.AllocationBase), path, sizeof path);
    return Text(path, n < sizeof path ? n : 0);
}

// The system's message without its line end and full stop, or the code
// when it has none.
Text loadFailureText() {
    const DWORD code = GetLastError();
    char text[512];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ' || text[n - 1] == '.')) --n;
    return n ? Text(text, n) : "error " + decimalText(static_cast<unsigned long>(code));
}

// One write, so that the line does not interleave with other output.
void writeErrorLine(const char* text) {
    Text line = text;
    line += "\r\n";
    writeStandardError(line.data(), line.size());
}

bool RegistryKey::readText(const char* valueName, Text& value) const {
    if (!handle_) return false;
    HKEY key = static_cast<HKEY>(handle_);
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return false;
    Text buffer(static_cast<size_t>(size) + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
        ERROR_SUCCESS)
        return false;
    size_t end = buffer.find('\0');
    buffer.resize(end == Text::npos ? buffer.size() : end);
    value = static_cast<Text&&>(buffer);
    return true;
}

ValueStatus RegistryKey::readLimitedText(const char* valueName, size_t limit, Text& value) const {
    if (!handle_) return ValueStatus::Missing;
    HKEY key = static_cast<HKEY>(handle_);
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size);
    if (rc == ERROR_FILE_NOT_FOUND) return ValueStatus::Missing;
    if (rc != ERROR_SUCCESS) return ValueStatus::Unreadable;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ValueStatus::NotText;
    if (size > limit) return ValueStatus::TooLong;
    Text buffer(static_cast<size_t>(size) + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
            ERROR_SUCCESS ||
        got > size || (type != REG_SZ && type != REG_EXPAND_SZ))
        return ValueStatus::Unreadable;
    buffer.resize(buffer.find('\0'));
    value = static_cast<Text&&>(buffer);
    return ValueStatus::Read;
}

bool RegistryKey::subKeyName(unsigned index, Text& name) const {
    char buffer[256];  // a key name has at most 255 characters
    DWORD size = sizeof buffer;
    if (!handle_ || RegEnumKeyExA(static_cast<HKEY>(handle_), index, buffer, &size, nullptr, nullptr, nullptr,
                                  nullptr) != ERROR_SUCCESS)
        return false;
    name = Text(buffer, size < sizeof buffer ? size : sizeof buffer - 1);
    return true;
}

void RegistryKey::close() {
    if (handle_) RegCloseKey(static_cast<HKEY>(handle_));
    handle_ = nullptr;
}

RegistryKey openMachineKey(const char* subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, subKey, &key) != ERROR_SUCCESS) return RegistryKey();
    return RegistryKey(key);
}

RegistryKey openKey(RegistryRoot root, const char* subKey, RegistryView view) {
    HKEY key = nullptr;
    const REGSAM access = KEY_READ | (view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
    if (RegOpenKeyExA(root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, subKey, 0, access,
                      &key) != ERROR_SUCCESS)
        return RegistryKey();
    return RegistryKey(key);
}

bool openInBrowser(const char* address) {
    using Execute = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    HMODULE shell = LoadLibraryA("shell32.dll");
    void* entry = shell ? reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteA")) : nullptr;
    const auto execute = reinterpret_cast<Execute>(entry);
    // shell32.dll stays loaded: the program it started may still be served by it.
    return execute && reinterpret_cast<INT_PTR>(execute(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

int showMessage(WindowRef owner, const char* text, const char* caption, unsigned style) {
    const MessageHook& hook = installedMessageHook();
    if (hook.show) return hook.show(hook.context, owner, text, caption, style);
    // A console program may run where nobody could answer a box (a build
    // server, a service): its messages go to standard error.
    if (isConsoleProgram()) {
        writeMessageLine(text, caption);
        return (style & 0xF) == kMbYesNoCancel ? kIdCancel : kIdOk;
    }
    return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

void endProcess(int code) { ExitProcess(static_cast<UINT>(code)); }

void sleepSeconds(unsigned seconds) { Sleep(seconds * 1000); }

unsigned long millisecondClock() { return GetTickCount(); }

}  // namespace platform

void outOfMemory() {
    static const char kText[] = "There is not enough memory to start this program.";
    if (platform::isConsoleProgram()) {
        static const char kLine[] = "Out of memory: There is not enough memory to start this program.\r\n";
        platform::writeStandardError(kLine, sizeof kLine - 1);
    } else {
        MessageBoxA(nullptr, kText, "Out of memory", MB_OK | MB_ICONERROR);
    }
    ExitProcess(1);
}
