#include "builder/engine/ProjectPaths.h"

#include <algorithm>
#include <cctype>

#include "platform/PathSeparator.h"

namespace {

bool isAbsolute(const std::string& p) {
#ifdef _WIN32
    return hasDrive(p) || (!p.empty() && platform::isPathSeparator(p[0]));
#else
    return !p.empty() && p[0] == '/';
#endif
}

}  // namespace

bool hasDrive(const std::string& p) {
    return p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

std::string folderOf(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (platform::isPathSeparator(path[i - 1])) return path.substr(0, i);
    return std::string();
}

std::string resolvePath(const std::string& folder, const std::string& path) {
    if (isAbsolute(path)) return path;
    std::string relative = path;
#ifndef _WIN32
    std::replace(relative.begin(), relative.end(), '\\', '/');
#endif
    return folder + relative;
}
