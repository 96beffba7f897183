// The running executable's folder and file name.
#include "launcher/ModulePath.h"

#include "launcher/LaunchParameters.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"

void splitPathAt(const Text& path, char separator, Text& folder, Text& name) {
    folder.clear();
    name.clear();
    size_t last = path.rfind(separator);
    if (last == Text::npos) return;
    folder = path.substr(0, last + 1);
    name = path.substr(last + 1);
}

void splitModulePath(Text& folder, Text& name) {
    splitPathAt(platform::ownModulePath(), platform::kPathSeparator, folder, name);
}
