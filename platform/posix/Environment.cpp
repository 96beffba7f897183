#include "platform/Environment.h"
#include "platform/EnvironmentReader.h"

#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

extern char** environ;

namespace platform {

std::vector<std::string> readProcessEnvironment() {
    std::vector<std::string> entries;
    for (char** e = environ; e && *e; ++e) entries.emplace_back(*e);
    return entries;
}

bool setVariable(const std::string& name, const std::string& value) {
    if (name.empty() || name.find('=') != std::string::npos) return false;
    return setenv(name.c_str(), value.c_str(), 1) == 0;
}

std::optional<std::string> currentVariable(const std::string& name) {
    const char* v = getenv(name.c_str());
    if (!v) return std::nullopt;
    return std::string(v);
}

bool setCurrentDirectory(const std::string& folder) { return chdir(folder.c_str()) == 0; }

std::string currentDirectory() {
    char buffer[PATH_MAX + 1];
    if (!getcwd(buffer, sizeof buffer)) return std::string();
    return std::string(buffer);
}

}  // namespace platform
