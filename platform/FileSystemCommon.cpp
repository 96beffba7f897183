// Builder file operations that are the same on every system.
#include "platform/FileSystem.h"

namespace platform {

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxSize) {
    File f = openFile(path, File::Mode::ReadExclusive);
    std::uint64_t size = 0;
    if (!f.size(size) || size > maxSize) return std::nullopt;
    std::string data(static_cast<std::size_t>(size), '\0');
    if (!f.readExact(data.data(), data.size())) return std::nullopt;
    return data;
}

}  // namespace platform
