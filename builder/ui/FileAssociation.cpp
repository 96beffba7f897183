#include "builder/ui/FileAssociation.h"

#include <windows.h>

#include "builder/ui/Owned.h"

namespace {

void setDefaultValue(const char* subKey, const std::string& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, subKey, &raw) != ERROR_SUCCESS) return;
    OwnedKey key(raw);
    RegSetValueExA(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

}  // namespace

std::string associationCommand(const std::string& builderPath) { return "\"" + builderPath + "\" #open#%1"; }

void writeFileAssociation() {
    char path[2001] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    setDefaultValue(".csk", "Caskit Project");
    setDefaultValue("Caskit Project\\shell\\open\\command", associationCommand(path));
}
