#include <windows.h>

#include "platform/PlatformCode.h"

namespace platform {

unsigned platformCode() {
    static const unsigned code = [] {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
        if (!GetVersionExA(&info)) return 0u;
        return classifyPlatform(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    }();
    return code;
}

}  // namespace platform
