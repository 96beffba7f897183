// The running executable's folder and file name.
#include "launcher/ModulePath.h"

#include "launcher/LaunchParameters.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"
#include "platform/PathText.h"

void splitPathAt(const Text& path, char separator, Text& folder, Text& name) {
    folder.clear();
    name.clear();
    size_t last = path.size();
    while (last > 0 && !(path[last - 1] == separator && platform::beginsCharacter(path, last - 1))) --last;
    if (last == 0) return;
    folder = path.substr(0, last);
    name = path.substr(last);
}

void splitModulePath(Text& folder, Text& name) {
    splitPathAt(platform::ownModulePath(), platform::kPathSeparator, folder, name);
}
