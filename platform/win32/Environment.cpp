#include <windows.h>

#include "platform/Environment.h"
#include "platform/EnvironmentReader.h"

namespace platform {

std::vector<std::string> readProcessEnvironment() {
    std::vector<std::string> entries;
    char* block = GetEnvironmentStringsA();
    if (!block) return entries;
    for (const char* p = block; *p; p += strlen(p) + 1) entries.emplace_back(p);
    FreeEnvironmentStringsA(block);
    return entries;
}

bool setVariable(const std::string& name, const std::string& value) {
    return SetEnvironmentVariableA(name.c_str(), value.c_str()) != 0;
}

std::optional<std::string> currentVariable(const std::string& name) {
    DWORD n = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (n == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::string();
    }
    std::string value(n, '\0');
    DWORD got = GetEnvironmentVariableA(name.c_str(), value.data(), n);
    value.resize(got < n ? got : 0);
    return value;
}

bool setCurrentDirectory(const std::string& folder) { return SetCurrentDirectoryA(folder.c_str()) != 0; }

std::string currentDirectory() {
    char buffer[MAX_PATH + 1];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer) return std::string();
    return std::string(buffer, n);
}

}  // namespace platform
