#include <windows.h>

#include "platform/Console.h"
#include "platform/DynamicLibrary.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/MessageHookState.h"
#include "platform/PlatformCode.h"
#include "platform/Registry.h"

namespace platform {

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

DynamicLibrary loadLibrary(const std::string& path) {
    return DynamicLibrary(LoadLibraryA(path.c_str()));
}

std::optional<std::string> RegistryKey::readText(const std::string& valueName) const {
    if (!handle_) return std::nullopt;
    HKEY key = static_cast<HKEY>(handle_);
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::string buffer(static_cast<std::size_t>(size) + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::size_t end = buffer.find('\0');
    buffer.resize(end == std::string::npos ? buffer.size() : end);
    return buffer;
}

void RegistryKey::close() {
    if (handle_) RegCloseKey(static_cast<HKEY>(handle_));
    handle_ = nullptr;
}

RegistryKey openMachineKey(const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, subKey.c_str(), &key) != ERROR_SUCCESS) return RegistryKey();
    return RegistryKey(key);
}

int showMessage(WindowRef owner, const std::string& text, const std::string& caption, unsigned style) {
    if (MessageHook& hook = messageHookSlot()) return hook(owner, text, caption, style);
    return MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), style);
}

unsigned platformCode() {
    static const unsigned code = [] {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
        if (!GetVersionExA(&info)) return 0u;
        return classifyPlatform(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    }();
    return code;
}

}  // namespace platform
