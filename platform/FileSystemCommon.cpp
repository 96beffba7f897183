// Builder file operations that are the same on every system.
#include "platform/FileSystem.h"

#include <atomic>

#include "platform/OwnModule.h"
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

ReplacementFile::~ReplacementFile() {
    file_.close();
    if (!path_.empty()) deleteFile(path_);
}

bool ReplacementFile::create(const std::string& target, const char* suffix) {
    static std::atomic<unsigned> next{0};
    target_ = target;
    replacesFile_ = fileExists(target);
    // An existing file's contents stay private until its mode is copied.
    for (int tries = 0; tries < 100; ++tries) {
        const std::string path = target + "." + std::to_string(ownProcessId()) + "-" + std::to_string(next++) + suffix;
        bool taken = false;
        file_ = createNewFile(path, replacesFile_, taken);
        if (file_.isOpen()) {
            path_ = path;
            return true;
        }
        if (!taken) break;  // else taken by an earlier run, or planted: the next name
    }
    const std::string why = lastErrorText();
    const Text path = target.c_str();
    size_t cut = path.size();
    while (cut > 0 && !isSeparatorAt(path, cut - 1)) --cut;
    problem_ = "cannot create a file in " + (cut ? target.substr(0, cut) : std::string("the current folder")) + ": " + why;
    return false;
}

bool ReplacementFile::commit() {
    const bool closed = file_.close();
    if (closed && (!replacesFile_ || copyFileMode(target_, path_)) && replaceFile(path_, target_)) {
        path_.clear();
        return true;
    }
    problem_ = closed ? "cannot replace " + target_ + ": " + lastErrorText() : lastErrorText();
    return false;
}

}  // namespace platform
