// Case-insensitive lookup in the start-up snapshot, shared by both platforms.
#include <cctype>

#include "platform/Environment.h"
#include "platform/EnvironmentReader.h"

namespace platform {

const std::vector<std::string>& startupEnvironment() {
    static const std::vector<std::string> snapshot = readProcessEnvironment();
    return snapshot;
}

// Taken during static initialisation, before the program changes anything.
static const bool gSnapshotTaken = (startupEnvironment(), true);

static bool sameNameIgnoringCase(const std::string& entry, std::size_t nameLength, const std::string& name) {
    if (nameLength != name.size()) return false;
    for (std::size_t i = 0; i < nameLength; ++i) {
        if (std::toupper(static_cast<unsigned char>(entry[i])) != std::toupper(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

std::optional<std::string> startupVariable(const std::string& name) {
    for (const std::string& entry : startupEnvironment()) {
        // The name ends at the first '=' after the first character (Windows
        // keeps per-drive folders as entries such as "=C:=C:\").
        std::size_t eq = entry.find('=', 1);
        if (eq == std::string::npos) continue;
        if (sameNameIgnoringCase(entry, eq, name)) return entry.substr(eq + 1);
    }
    return std::nullopt;
}

}  // namespace platform
