#pragma once
// The command line of "caskit bundle".

#include <optional>
#include <string>
#include <vector>

#include "cli/Targets.h"

namespace bundle {

struct BundleOptions {
    std::string project;
    Target target = Target::LinuxX64;
    std::string out;       // empty: dist/<target>/ beside the project file
    std::string stubs;
    std::string runtime;   // --runtime: a runtime image to copy
    std::string jlink;     // --jlink: the JDK whose jlink links one
    std::string jmods;     // --jmods: the target's jmods
    std::vector<std::string> addModules;
    bool allowAbsolute = false;
    std::optional<bool> desktopEntry;  // --desktop-entry on|off (default: when the project has an icon)
    std::vector<std::string> formats;
    std::string packageName, packageVersion, maintainer, upgradeCode;
};

// Reads the words after "bundle" into `options`: the exit code when the
// command ends here (wrong usage, --help), else nullopt.
std::optional<int> readBundleOptions(const std::vector<std::string>& words, BundleOptions& options);

// The help text of the command.
const char* bundleHelp();

}  // namespace bundle
