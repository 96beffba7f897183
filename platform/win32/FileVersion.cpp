#include <windows.h>

#include "platform/FileVersion.h"

namespace platform {

// version.dll is loaded when a version is first asked for, so a launcher
// that never asks does not load it.
bool fileVersionInfo(const char* path, Text& bytes) {
    using SizeFunction = DWORD(WINAPI*)(LPCSTR, LPDWORD);
    using InfoFunction = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
    static HMODULE library = LoadLibraryA("version.dll");
    if (!library) return false;
    const auto entry = [](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); };
    const auto size = reinterpret_cast<SizeFunction>(entry("GetFileVersionInfoSizeA"));
    const auto info = reinterpret_cast<InfoFunction>(entry("GetFileVersionInfoA"));
    DWORD handle = 0;
    const DWORD length = size && info ? size(path, &handle) : 0;
    if (length == 0 || length > kMostVersionInfoBytes || !bytes.tryResize(length)) return false;
    return info(path, 0, length, bytes.data()) != 0;
}

}  // namespace platform
