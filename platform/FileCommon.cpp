// File operations that are the same on every system.
#include "platform/Files.h"

namespace platform {

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = kInvalid;
    }
    return *this;
}

bool File::readExact(void* buffer, size_t n) { return read(buffer, n) == static_cast<long long>(n); }

}  // namespace platform
