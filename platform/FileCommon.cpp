// File operations that are the same on every system.
#include "platform/Files.h"
#include "platform/OwnModule.h"
#include "platform/Text.h"

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

bool readSmallFile(File& file, uint64_t most, Text& bytes, bool& tooLarge) {
    uint64_t size = 0;
    tooLarge = false;
    if (!file.size(size)) return false;
    tooLarge = size > most;
    return !tooLarge && bytes.tryResize(static_cast<size_t>(size)) && file.readExact(bytes.data(), bytes.size());
}

}  // namespace platform
