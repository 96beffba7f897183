#include "platform/Folders.h"

#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>

namespace platform {

bool folderEntries(const char* folder, List<Text>& names) {
    DIR* dir = opendir(folder);
    if (!dir) return false;
    while (const dirent* entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0) continue;
        names.push_back(Text(entry->d_name));
    }
    closedir(dir);
    return true;
}

bool resolvedPath(const char* path, Text& resolved) {
    char buffer[PATH_MAX];
    if (!realpath(path, buffer)) return false;
    resolved = buffer;
    return true;
}

}  // namespace platform
