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

bool File::readExact(void* buffer, std::size_t n) { return read(buffer, n) == static_cast<long long>(n); }

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxSize) {
    File f = File::open(path, File::Mode::ReadExclusive);
    auto size = f.size();
    if (!size || *size > maxSize) return std::nullopt;
    std::string data(static_cast<std::size_t>(*size), '\0');
    if (!f.readExact(data.data(), data.size())) return std::nullopt;
    return data;
}

}  // namespace platform
