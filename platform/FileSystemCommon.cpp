// Builder file operations that are the same on every system.
#include "platform/FileSystem.h"

#include "platform/PathText.h"

namespace platform {

bool makeFolders(const std::string& folder, std::string& failed) {
    Text path = folder;
    while (path.size() > 1 && isSeparatorAt(path, path.size() - 1)) path.resize(path.size() - 1);
    if (path.empty() || fileExists(path.c_str())) return true;
    size_t cut = path.size();
    while (cut > 0 && !isSeparatorAt(path, cut - 1)) --cut;
    if (cut > 0 && !makeFolders(std::string(path.c_str(), cut), failed)) return false;
    if (makeFolder(path.c_str())) return true;
    failed = path.c_str();
    return false;
}

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxSize) {
    File f = openFile(path, File::Mode::ReadExclusive);
    std::uint64_t size = 0;
    if (!f.size(size) || size > maxSize) return std::nullopt;
    std::string data(static_cast<std::size_t>(size), '\0');
    if (!f.readExact(data.data(), data.size())) return std::nullopt;
    return data;
}

}  // namespace platform
