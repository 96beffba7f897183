#include <windows.h>

#include "platform/NamedResource.h"

namespace platform {

std::optional<std::string> ownNamedResource(const std::string& typeName, unsigned id) {
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), typeName.c_str());
    if (!info) return std::nullopt;
    DWORD size = SizeofResource(nullptr, info);
    HGLOBAL loaded = LoadResource(nullptr, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string(static_cast<const char*>(bytes), size);
}

}  // namespace platform
