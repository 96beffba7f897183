#include <windows.h>

#include "platform/ResourceUpdate.h"

namespace platform {

bool ResourceUpdate::supported() { return true; }

bool ResourceUpdate::begin(const std::string& path, bool deleteExisting) {
    discard();
    handle_ = BeginUpdateResourceA(path.c_str(), deleteExisting ? TRUE : FALSE);
    return handle_ != nullptr;
}

bool ResourceUpdate::update(unsigned type, unsigned id, unsigned language, const void* data, std::size_t size) {
    if (!handle_) return false;
    return UpdateResourceA(static_cast<HANDLE>(handle_), MAKEINTRESOURCEA(type), MAKEINTRESOURCEA(id),
                           static_cast<WORD>(language), const_cast<void*>(data), static_cast<DWORD>(size)) != 0;
}

bool ResourceUpdate::update(unsigned typeId, const std::u16string& typeName, unsigned nameId,
                            const std::u16string& name, unsigned language, const void* data, std::size_t size) {
    if (!handle_) return false;
    const std::wstring wideType(typeName.begin(), typeName.end()), wideName(name.begin(), name.end());
    return UpdateResourceW(static_cast<HANDLE>(handle_),
                           typeName.empty() ? MAKEINTRESOURCEW(typeId) : wideType.c_str(),
                           name.empty() ? MAKEINTRESOURCEW(nameId) : wideName.c_str(), static_cast<WORD>(language),
                           const_cast<void*>(data), static_cast<DWORD>(size)) != 0;
}

bool ResourceUpdate::commit() {
    if (!handle_) return false;
    HANDLE h = static_cast<HANDLE>(handle_);
    handle_ = nullptr;
    return EndUpdateResourceA(h, FALSE) != 0;
}

void ResourceUpdate::discard() {
    if (!handle_) return;
    EndUpdateResourceA(static_cast<HANDLE>(handle_), TRUE);
    handle_ = nullptr;
}

}  // namespace platform
