#include <windows.h>

#include "platform/Folders.h"

namespace platform {

// FindFirstFileA with "<folder>\*" (the ANSI calls every Windows has). A
// folder without a single entry (a drive's empty root) answers "no file",
// which is an empty listing, not a failure.
bool folderEntries(const char* folder, List<Text>& names) {
    Text pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/' && pattern.back() != ':') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const char* name = found.cFileName;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        names.push_back(Text(name));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

}  // namespace platform
