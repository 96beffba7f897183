#pragma once
// Which files of a project go into its application folder: every
// class-path entry relative to the executable's folder, with the same
// relative path (a "dir/*" entry brings the jars of dir), and the options
// file beside the executable.

#include <optional>
#include <string>
#include <vector>

namespace bundle {

// A file or folder to copy: from `source` to `target` below the
// application folder ('/' separated).
struct CopyItem {
    std::string source;
    std::string target;
};

// The items for `classPath` (as the project holds them, in system text)
// below `exeFolder` (with its trailing separator). An absolute entry is
// an error naming it, unless `allowAbsolute` (it is then left out, and the
// launcher uses it where it is); so is an entry that names nothing, or
// one that leaves the executable's folder ("..").
std::optional<std::vector<CopyItem>> classPathItems(const std::vector<std::string>& classPath,
                                                    const std::string& exeFolder, bool allowAbsolute,
                                                    std::string& error);

// "name.options" for "name.exe" or "name": the options file of the
// executable `exeName`.
std::string optionsFileName(const std::string& exeName);

}  // namespace bundle
