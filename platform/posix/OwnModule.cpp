#include "platform/OwnModule.h"

#include <limits.h>
#include <unistd.h>

namespace platform {

std::string ownModulePath() {
    char buffer[PATH_MAX + 1];
    ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0) return std::string();
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::optional<std::string> ownResource(unsigned type, unsigned id) {
    if (type == 1000 && id == 1) return std::string("standard");
    return std::nullopt;
}

std::optional<std::string> ownResource(const std::string&, unsigned) { return std::nullopt; }

}  // namespace platform
