#pragma once
// Paths a project names relative to the folder of its project file (the
// exe folder, the icons, the manifest, the embedded jar), as the builder
// and the command-line builder both take them.

#include <string>

// `path` taken relative to `folder` (empty, or ending with a separator)
// unless it is absolute. On Linux a backslash in a relative path separates
// folders, as in a project saved on Windows.
std::string resolvePath(const std::string& folder, const std::string& path);

// The folder part of `path`, with its separator; empty without one.
std::string folderOf(const std::string& path);

// Whether `path` begins with a drive letter and a colon ("C:").
bool hasDrive(const std::string& path);
