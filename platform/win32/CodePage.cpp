#include <windows.h>

#include "platform/CodePage.h"
#include "platform/List.h"
#include "platform/PathText.h"
#include "platform/Unicode.h"

Text utf8FromAnsi(const Text& ansi) {
    if (ansi.empty()) return Text();
    const int count = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (count <= 0) return Text();
    List<uint16_t> units;
    units.resize(static_cast<size_t>(count));
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), reinterpret_cast<wchar_t*>(units.data()),
                        count);
    return utf8FromUtf16(units.data(), units.size());
}

Text ansiFromUtf8(const Text& utf8) {
    List<uint16_t> units = utf16FromUtf8(utf8);
    if (units.empty()) return Text();
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int size = static_cast<int>(units.size());
    const int count = WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
    if (count <= 0) return Text();
    Text ansi(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, size, ansi.data(), count, nullptr, nullptr);
    return ansi;
}

bool platform::isLeadByte(char c) { return IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(c)) != 0; }

// WC_NO_BEST_FIT_CHARS keeps look-alikes from passing for the real
// characters; systems before Windows 2000 do not know the flag.
bool exactAnsiFromUtf16(const uint16_t* units, size_t count, Text& ansi) {
    ansi.clear();
    if (count == 0) return true;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(units);
    const int size = static_cast<int>(count);
    for (DWORD flags : {static_cast<DWORD>(WC_NO_BEST_FIT_CHARS), static_cast<DWORD>(0)}) {
        BOOL lossy = FALSE;
        const int n = WideCharToMultiByte(CP_ACP, flags, text, size, nullptr, 0, nullptr, &lossy);
        if (n <= 0) continue;
        ansi.resize(static_cast<size_t>(n));
        WideCharToMultiByte(CP_ACP, flags, text, size, ansi.data(), n, nullptr, &lossy);
        return !lossy;
    }
    return false;
}

bool exactAnsiFromUtf8(const Text& utf8, Text& ansi) {
    const List<uint16_t> units = utf16FromUtf8(utf8);
    return exactAnsiFromUtf16(units.data(), units.size(), ansi);
}
