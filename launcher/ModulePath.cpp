// The running executable's folder and file name.
#include "launcher/ModulePath.h"

#include "launcher/LaunchParameters.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"

void splitPathAt(const std::string& path, char separator, std::string& folder, std::string& name) {
    folder.clear();
    name.clear();
    std::size_t last = path.rfind(separator);
    if (last == std::string::npos) return;
    folder = path.substr(0, last + 1);
    name = path.substr(last + 1);
}

void splitModulePath(std::string& folder, std::string& name) {
    splitPathAt(platform::ownModulePath(), platform::kPathSeparator, folder, name);
}
