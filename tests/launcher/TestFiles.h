#pragma once
// Temporary folders and whole-file helpers for the launcher's host tests.

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/Environment.h"

namespace launcher_test {

// A fresh folder under the system's temporary folder, removed on destruction.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = "/tmp/caskit-launcher-XXXXXX";
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() { (void)std::system(("rm -rf '" + path_ + "'").c_str()); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Makes a folder the current directory and goes back on destruction.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder) : previous_(platform::currentDirectory()) {
        if (!platform::setCurrentDirectory(folder)) throw std::runtime_error("chdir failed: " + folder);
    }
    ~CurrentDirectory() { platform::setCurrentDirectory(previous_); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string previous_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace launcher_test
