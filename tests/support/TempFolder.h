#pragma once
// A fresh private folder under /tmp for the host tests, removed with all
// it holds when the test ends, and a check for a file's existence.

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include "tests/support/FileBytes.h"

namespace caskit_test {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = "/tmp/caskit-test-XXXXXX";
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder without a trailing separator.
    const std::string& path() const { return path_; }
    // The folder with a trailing separator, as a project's exeFolder holds it.
    std::string folder() const { return path_ + "/"; }
    // The path of a name in the folder.
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // True when a name in the folder ends in `suffix` (a temporary left).
    bool holdsNameEndingIn(const std::string& suffix) const {
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            const std::string name = entry.path().filename().string();
            if (name.size() >= suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                return true;
        }
        return false;
    }
    // Writes a file in the folder; returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        writeFile(file(name), bytes);
        return file(name);
    }

private:
    std::string path_;
};

inline bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace caskit_test
