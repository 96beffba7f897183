#include <windows.h>

#include "platform/Icons.h"

namespace platform {

IconRef iconFromImage(const void* bytes, std::size_t size, int width, int height, int bitsPerPixel) {
    auto* data = static_cast<PBYTE>(const_cast<void*>(bytes));
    HICON icon = CreateIconFromResourceEx(data, static_cast<DWORD>(size), TRUE, 0x00030000, width, height,
                                          LR_DEFAULTCOLOR);
    if (!icon && bitsPerPixel != 16) icon = CreateIconFromResource(data, static_cast<DWORD>(size), TRUE, 0x00030000);
    return icon;
}

IconRef ownIcon(unsigned id, int size) {
    return LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
}

}  // namespace platform
