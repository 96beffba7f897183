#include <windows.h>

#include "platform/OwnModule.h"

namespace platform {

Text ownModulePath() {
    char buffer[261];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return Text();
    return Text(buffer, n);
}

bool ownResource(unsigned type, unsigned id, Text& bytes) {
    bytes.clear();
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!info) return false;
    DWORD size = SizeofResource(nullptr, info);
    HGLOBAL loaded = LoadResource(nullptr, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    bytes.append(static_cast<const char*>(data), size);
    return true;
}

}  // namespace platform
