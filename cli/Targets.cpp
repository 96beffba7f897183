#include "cli/Targets.h"

#include "builder/engine/ExecutableWriter.h"
#include "platform/FileSystem.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"

const char* targetName(Target target) {
    switch (target) {
    case Target::WindowsX64: return "windows-x64";
    case Target::WindowsX86: return "windows-x86";
    case Target::LinuxX64: break;
    }
    return "linux-x64";
}

std::optional<Target> parseTarget(const std::string& name) {
    for (Target t : {Target::WindowsX64, Target::WindowsX86, Target::LinuxX64})
        if (name == targetName(t)) return t;
    return std::nullopt;
}

Target hostTarget() {
#if defined(_WIN64)
    return Target::WindowsX64;
#elif defined(_WIN32)
    return Target::WindowsX86;
#else
    return Target::LinuxX64;
#endif
}

std::optional<std::string> stubFileName(Target target, unsigned stubId) {
    // The Linux launcher is a console program already.
    if (target == Target::LinuxX64) {
        if (stubId == kStub12ResourceId || stubId == kStub12ConsoleResourceId) return std::string("stub12");
        return std::nullopt;
    }
    if (stubId == kStub11ResourceId) return std::string("stub11.exe");
    if (stubId == kStub12ResourceId) return std::string("stub12.exe");
    if (stubId == kStub12ConsoleResourceId) return std::string("stub12c.exe");
    return std::nullopt;
}

namespace {

bool endsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

}  // namespace

std::string stubFolder(Target target, const std::string& override) {
    if (!override.empty()) return endsWithSeparator(override) ? override : override + platform::kPathSeparator;
    // The running program's path, symbolic links resolved (/proc/self/exe),
    // so a link to an installed caskit finds the installation's stubs.
    const std::string self = platform::ownModulePath().c_str();
    const std::size_t cut = self.find_last_of("/\\");
    const std::string sep(1, platform::kPathSeparator);
    const std::string beside = self.substr(0, cut + 1) + "stubs" + sep + targetName(target);
    // Installed: PREFIX/bin/caskit with PREFIX/lib/caskit/stubs/<target>/.
    const std::size_t up = cut == std::string::npos || cut == 0 ? std::string::npos : self.find_last_of("/\\", cut - 1);
    if (up != std::string::npos && !platform::fileExists(beside)) {
        const std::string installed =
            self.substr(0, up + 1) + "lib" + sep + "caskit" + sep + "stubs" + sep + targetName(target);
        if (platform::fileExists(installed)) return installed + sep;
    }
    return beside + sep;
}
