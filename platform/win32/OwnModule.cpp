#include <windows.h>

#include "platform/OwnModule.h"

namespace platform {

std::string ownModulePath() {
    char buffer[261];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return std::string();
    return std::string(buffer, n);
}

static std::optional<std::string> loadResource(LPCSTR type, unsigned id) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (!info) return std::nullopt;
    DWORD size = SizeofResource(nullptr, info);
    HGLOBAL loaded = LoadResource(nullptr, info);
    if (!loaded) return std::nullopt;
    const void* bytes = LockResource(loaded);
    if (!bytes) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), size);
}

std::optional<std::string> ownResource(unsigned type, unsigned id) {
    return loadResource(MAKEINTRESOURCEA(type), id);
}

std::optional<std::string> ownResource(const std::string& typeName, unsigned id) {
    return loadResource(typeName.c_str(), id);
}

}  // namespace platform
