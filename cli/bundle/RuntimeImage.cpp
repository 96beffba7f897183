#include "cli/bundle/RuntimeImage.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/Programs.h"
#include "vmbind/LibraryHeader.h"

namespace bundle {

namespace {

using platform::programFile;
using platform::runProgram;

bool exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The machine the target's launcher is: x86-64 ELF, x64 or x86 PE.
Machine targetMachine(Target target) {
    switch (target) {
    case Target::LinuxX64: return Machine{62, 64};
    case Target::WindowsX64: return Machine{0x8664, 64};
    case Target::WindowsX86: return Machine{0x14c, 32};
    }
    return Machine{0, 0};
}

LibraryVerdict readHeader(const std::string& path, Target target, Machine& found) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return LibraryVerdict::Unreadable;
    in.seekg(0, std::ios::end);
    const std::uint64_t size = static_cast<std::uint64_t>(in.tellg());
    in.seekg(0);
    std::string head(64, '\0');
    in.read(&head[0], 64);
    head.resize(static_cast<std::size_t>(in.gcount()));
    const auto* bytes = reinterpret_cast<const unsigned char*>(head.data());
    if (target == Target::LinuxX64) return readElfHeader(bytes, head.size(), size, found);
    uint32_t ntOffset = 0;
    LibraryVerdict verdict = readDosHeader(bytes, head.size(), ntOffset);
    if (verdict != LibraryVerdict::Loadable) return verdict;
    std::string nt(kPeHeadersRead, '\0');
    in.clear();
    in.seekg(ntOffset);
    in.read(&nt[0], static_cast<std::streamsize>(nt.size()));
    nt.resize(static_cast<std::size_t>(in.gcount()));
    return readPeHeader(reinterpret_cast<const unsigned char*>(nt.data()), nt.size(), ntOffset, size, found);
}

// The version jlink says it is ("17.0.9").
std::string toolVersion(const std::string& tool, std::string& error) {
    std::string out;
    if (runProgram({tool, "--version"}, out) != 0) {
        error = tool + " --version failed: " + out;
        return std::string();
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

// The modules jdeps finds in the program's jars and classes.
bool programModules(const LinkRequest& r, int version, std::string& modules, std::string& error) {
    modules.clear();
    if (r.classPath.empty()) return true;
    std::vector<std::string> argv = {programFile(r.jdk + "/bin/jdeps"), "--print-module-deps", "--ignore-missing-deps",
                                     "--multi-release", std::to_string(version)};
    argv.insert(argv.end(), r.classPath.begin(), r.classPath.end());
    std::string out;
    if (runProgram(argv, out) != 0) {
        error = "jdeps could not read the program's classes: " + out;
        return false;
    }
    const std::size_t end = out.find_last_not_of("\r\n");
    const std::size_t start = out.find_last_of('\n', end);
    modules = out.substr(start == std::string::npos ? 0 : start + 1, end == std::string::npos ? 0 : end + 1 - (start == std::string::npos ? 0 : start + 1));
    return true;
}

}  // namespace

std::optional<std::string> checkRuntime(const std::string& home, Target target, std::string& error) {
    const char* const linuxLayouts[] = {"lib/server/libjvm.so", "lib/client/libjvm.so", nullptr};
    const char* const windowsLayouts[] = {"bin/server/jvm.dll", "bin/client/jvm.dll", nullptr};
    if (!exists(home)) {
        error = "the runtime " + home + " does not exist";
        return std::nullopt;
    }
    for (const char* const* layout = target == Target::LinuxX64 ? linuxLayouts : windowsLayouts; *layout; ++layout) {
        const std::string library = home + "/" + *layout;
        if (!exists(library)) continue;
        Machine found{0, 0};
        LibraryVerdict verdict = readHeader(library, target, found);
        if (verdict == LibraryVerdict::Loadable) verdict = compareMachine(found, targetMachine(target));
        if (verdict == LibraryVerdict::Loadable) return library;
        error = "the runtime " + home + " is not for " + targetName(target) + ": " + library + ": " +
                libraryProblem(verdict, targetMachine(target).bits);
        return std::nullopt;
    }
    error = "the runtime " + home + " has no " +
            (target == Target::LinuxX64 ? "lib/server/libjvm.so" : "bin/server/jvm.dll or bin/client/jvm.dll") +
            " (is it a runtime for " + targetName(target) + "?)";
    return std::nullopt;
}

int featureVersion(const std::string& text) {
    std::size_t at = text.find('@');
    at = at == std::string::npos ? 0 : at + 1;
    int version = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && version < 10000) version = version * 10 + (text[at++] - '0');
    return version;
}

bool linkRuntime(const LinkRequest& r, const std::string& output, std::vector<std::string>& notes,
                 std::string& error) {
    const std::string jlink = programFile(r.jdk + "/bin/jlink");
    if (!exists(jlink)) {
        error = "the JDK " + r.jdk + " has no " + jlink.substr(r.jdk.size() + 1);
        return false;
    }
    const std::string jlinkVersion = toolVersion(jlink, error);
    if (jlinkVersion.empty()) return false;
    const int version = featureVersion(jlinkVersion);
    const std::string jmods = r.jmods.empty() ? r.jdk + "/jmods" : r.jmods;
    if (!exists(jmods + "/java.base.jmod")) {
        if (!r.jmods.empty()) {
            error = "the folder " + jmods + " holds no java.base.jmod";
            return false;
        }
        // A JDK without jmods can link from its own image only when it was
        // built for that (JDK 24 and later); jlink says whether it can.
        notes.push_back("the JDK " + r.jdk + " has no jmods folder: jlink links from its own image");
    } else if (!r.jmods.empty()) {
        std::string described;
        runProgram({programFile(r.jdk + "/bin/jmod"), "describe", jmods + "/java.base.jmod"}, described);
        const std::string jmodsVersion = described.substr(0, described.find_first_of("\r\n"));
        if (featureVersion(jmodsVersion) != version) {
            error = "the jmods in " + jmods + " are " + jmodsVersion + ", but jlink is " + jlinkVersion +
                    ": link with the jlink of the same Java version";
            return false;
        }
        if (jmodsVersion.substr(jmodsVersion.find('@') + 1) != jlinkVersion)
            notes.push_back("the jmods in " + jmods + " are " + jmodsVersion + ", jlink is " + jlinkVersion);
    }
    std::string modules;
    if (!programModules(r, version, modules, error)) return false;
    for (const std::string& m : r.addModules) modules += (modules.empty() ? "" : ",") + m;
    if (modules.empty()) modules = "java.base";
    std::vector<std::string> argv = {jlink, "--add-modules", modules, "--output", output, "--strip-debug",
                                     "--no-header-files", "--no-man-pages",
                                     version >= 21 ? "--compress=zip-6" : "--compress=2"};
    if (exists(jmods + "/java.base.jmod")) argv.insert(argv.begin() + 1, {"--module-path", jmods});
    std::string out;
    if (runProgram(argv, out) != 0) {
        // Its first line names the module (the rest is jlink's stack trace).
        error = "jlink could not link the modules " + modules + ": " + out.substr(0, out.find('\n'));
        return false;
    }
    // The VM's default class-data archive: the launcher's start-up cache
    // makes one for the program itself.
    for (const char* archive : {"lib/server/classes.jsa", "lib/server/classes_nocoops.jsa",
                                "bin/server/classes.jsa", "bin/server/classes_nocoops.jsa"})
        std::remove((output + "/" + archive).c_str());
    return true;
}

}  // namespace bundle
