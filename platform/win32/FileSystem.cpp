#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/win32/FileReplace.h"

namespace platform {

bool deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool makeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

MoveFileExFunction moveFileExForReplace = &MoveFileExA;

// Windows 95 and 98 export MoveFileExA but do not implement it: there the
// old file is renamed aside, the new one moved in, and the old one deleted
// only once that succeeded; a failed move puts the old file back.
bool replaceFile(const std::string& source, const std::string& target) {
    if (moveFileExForReplace(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) return MoveFileA(source.c_str(), target.c_str()) != 0;
    const std::string aside = target + ".replaced";
    DeleteFileA(aside.c_str());
    if (!MoveFileA(target.c_str(), aside.c_str())) return false;
    if (!MoveFileA(source.c_str(), target.c_str())) {
        DWORD error = GetLastError();
        MoveFileA(aside.c_str(), target.c_str());
        SetLastError(error);
        return false;
    }
    DeleteFileA(aside.c_str());
    return true;
}

std::string lastErrorText() {
    DWORD code = GetLastError();
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                             reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    return result;
}

}  // namespace platform

#include "platform/Process.h"

void platform::sleepSeconds(unsigned seconds) { Sleep(seconds * 1000); }
