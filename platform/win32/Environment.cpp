#include <windows.h>

#include "platform/Environment.h"
#include "platform/EnvironmentReader.h"
#include "platform/CodePage.h"
#include "platform/Unicode.h"

namespace platform {

List<Text> readProcessEnvironment() {
    List<Text> entries;
    char* block = GetEnvironmentStringsA();
    if (!block) return entries;
    for (const char* p = block; *p; p += lstrlenA(p) + 1) entries.push_back(Text(p));
    FreeEnvironmentStringsA(block);
    return entries;
}

bool setVariable(const char* name, const char* value) { return SetEnvironmentVariableA(name, value) != 0; }

bool setCurrentDirectory(const char* folder) { return SetCurrentDirectoryA(folder) != 0; }

// The wide form, and the ANSI one where it is missing (Windows 95 and 98).
Text currentFolderUtf8() {
    wchar_t wide[MAX_PATH * 4];
    const DWORD n = GetCurrentDirectoryW(MAX_PATH * 4, wide);
    if (n > 0 && n < MAX_PATH * 4) return utf8FromUtf16(reinterpret_cast<const uint16_t*>(wide), n);
    char ansi[MAX_PATH + 1];
    const DWORD m = n == 0 ? GetCurrentDirectoryA(sizeof ansi, ansi) : 0;
    return m > 0 && m < sizeof ansi ? utf8FromAnsi(Text(ansi, m)) : Text();
}

}  // namespace platform
