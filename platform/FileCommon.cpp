// File operations that are the same on every system.
#include "platform/Files.h"
#include "platform/OwnModule.h"

namespace platform {

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = kInvalid;
    }
    return *this;
}

Text companionPath(const Text& path, const char* extension) {
    size_t end = path.size();
    if (end >= 4 && path[end - 4] == '.' && (path[end - 3] | 0x20) == 'e' && (path[end - 2] | 0x20) == 'x' &&
        (path[end - 1] | 0x20) == 'e')
        end -= 4;
    return path.substr(0, end) + extension;
}

bool File::readExact(void* buffer, size_t n) { return read(buffer, n) == static_cast<long long>(n); }

}  // namespace platform
