#include "platform/PlatformCode.h"

namespace platform {

unsigned classifyPlatform(unsigned long platformId, unsigned long majorVersion, unsigned long minorVersion) {
    switch (platformId) {
    case 0:  // VER_PLATFORM_WIN32s
        return kPlatformWin32s;
    case 1:  // VER_PLATFORM_WIN32_WINDOWS
        return minorVersion == 0 ? kPlatformWin95 : kPlatformWin98;
    case 2:  // VER_PLATFORM_WIN32_NT
        return majorVersion == 3 ? kPlatformNt3 : kPlatformNt4;
    default:
        return 0;
    }
}

}  // namespace platform
