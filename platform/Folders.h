#pragma once
// Folder listing (every system: the class path's "lib/*" entries, the
// runtimes under /usr/lib/jvm) and symbolic-link resolution (POSIX only:
// the Linux launcher follows java on PATH through its links).

#include "platform/List.h"
#include "platform/Text.h"

namespace platform {

// Appends the names in `folder` except "." and "..", in the order the
// system lists them; false when the folder cannot be read.
bool folderEntries(const char* folder, List<Text>& names);

#ifndef _WIN32
// `path` with every symbolic link and "." or ".." resolved (realpath);
// false when it does not exist.
bool resolvedPath(const char* path, Text& resolved);
#endif

}  // namespace platform
