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
