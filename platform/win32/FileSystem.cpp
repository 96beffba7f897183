#include <windows.h>

#include "platform/FileSystem.h"

namespace platform {

bool deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool replaceFile(const std::string& source, const std::string& target) {
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
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
