#pragma once
// The current directory switched for the launcher's host tests, with the
// shared temporary folder and whole-file helpers.

#include <unistd.h>

#include <stdexcept>
#include <string>

#include "platform/Environment.h"
#include "tests/support/TempFolder.h"

namespace launcher_test {

// Makes a folder the current directory and goes back on destruction.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder) {
        char buffer[4096];
        if (getcwd(buffer, sizeof buffer)) previous_ = buffer;
        if (!platform::setCurrentDirectory(folder.c_str())) throw std::runtime_error("chdir failed: " + folder);
    }
    ~CurrentDirectory() { platform::setCurrentDirectory(previous_.c_str()); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string previous_;
};

}  // namespace launcher_test
