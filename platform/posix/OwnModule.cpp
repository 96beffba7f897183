#include "platform/OwnModule.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace platform {

Text ownModulePath(bool* shortForm) {
    if (shortForm) *shortForm = false;
    char buffer[PATH_MAX + 1];
    ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0) return Text();
    return Text(buffer, static_cast<size_t>(n));
}

Text ownModulePathUtf8() { return ownModulePath(); }

File openOwnCompanion(const char* extension, Text& path, bool& missing) {
    path = companionPath(ownModulePath(), extension);
    missing = !fileExists(path.c_str());
    return File::open(path.c_str(), File::Mode::ReadShared);
}

File openOwnExecutable() { return File::open("/proc/self/exe", File::Mode::ReadShared); }

bool ownCommandLineArguments(Text&) { return false; }

bool ownResource(unsigned type, unsigned id, Text& bytes) {
    bytes.clear();
    if (type != 1000 || id != 1) return false;
    bytes = "standard";
    return true;
}

}  // namespace platform
