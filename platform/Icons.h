#pragma once
// Displayable icons made from icon images in resource form, and the
// program's own icons (Windows only; Linux answers null).

#include <cstddef>

namespace platform {

using IconRef = void*;  // HICON on Windows

// CreateIconFromResourceEx(bytes, icon, 0x00030000, width, height, default
// colours); when that fails and bitsPerPixel != 16, CreateIconFromResource.
IconRef iconFromImage(const void* bytes, std::size_t size, int width, int height, int bitsPerPixel);
// LoadImageA of the program's own icon resource at the given size.
IconRef ownIcon(unsigned id, int size);

}  // namespace platform
