#pragma once
// Folder listing and symbolic-link resolution, for the Linux launcher's
// runtime search (java on PATH through its links, the runtimes under
// /usr/lib/jvm). POSIX only: the Windows launcher finds runtimes through
// the registry instead.

#include "platform/List.h"
#include "platform/Text.h"

namespace platform {

// The names in `folder` except "." and "..", in the order the system
// lists them; false when the folder cannot be read.
bool folderEntries(const char* folder, List<Text>& names);

// `path` with every symbolic link and "." or ".." resolved (realpath);
// false when it does not exist.
bool resolvedPath(const char* path, Text& resolved);

}  // namespace platform
