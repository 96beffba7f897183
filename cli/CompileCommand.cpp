// caskit compile PROJECT.csk [--target T] [--out PATH] [--stubs DIR]
// [--trailer[=yes|no]]: the same compile as the builder's "Compile
// Project", with the stub read from the stub folder of the target.
#include <cctype>
#include <cstdio>
#ifndef _WIN32
#include <filesystem>
#endif

#include "builder/engine/CodePage.h"
#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/Jdk11Sizes.h"
#include "cli/Arguments.h"
#include "cli/CodePageOption.h"
#include "cli/Commands.h"
#include "cli/MessageLog.h"
#include "cli/ProjectLoad.h"
#include "cli/Targets.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::uint64_t kMaxStubSize = 64u << 20;

int usage(const std::string& text) { return usageError("compile", text); }

int failure(const std::string& text) {
    std::fprintf(stderr, "caskit compile: %s\n", oneLine(text).c_str());
    return 1;
}

bool takesValue(const std::string& name) { return name == "target" || name == "out" || name == "stubs"; }

// --out splits into the folder (with its separator) and the file name, so
// the version block names the file as the builder would.
void redirect(Project& project, const std::string& out) {
    std::size_t cut = out.find_last_of("/\\");
    project.setExeFolder(cut == std::string::npos ? std::string() : out.substr(0, cut + 1));
    project.setExeName(cut == std::string::npos ? out : out.substr(cut + 1));
}

void warn(const std::string& text) { std::fprintf(stderr, "caskit compile: warning: %s\n", text.c_str()); }

std::optional<bool> yesNo(const Argument& a) {
    if (!a.hasValue) return true;
    for (const char* yes : {"yes", "on", "1", "true"})
        if (a.value == yes) return true;
    for (const char* no : {"no", "off", "0", "false"})
        if (a.value == no) return false;
    return std::nullopt;
}

}  // namespace

int runCompile(const std::vector<std::string>& words) {
    std::vector<Argument> args;
    if (std::optional<int> done = readArguments("compile", words, takesValue, args)) return *done;
    std::string path, out, stubs;
    Target target = hostTarget();
    bool trailer = false;
    for (const Argument& a : args) {
        if (a.name.empty()) {
            if (!path.empty()) return usage("more than one project file");
            path = a.value;
        } else if (a.name == "target") {
            std::optional<Target> t = parseTarget(a.value);
            if (!t) return usage("--target takes windows-x64, windows-x86 or linux-x64, not \"" + a.value + "\"");
            target = *t;
        } else if (a.name == "out") {
            // Folder and name become project text (the version block names the file).
            if (std::optional<std::string> error = projectTextOf(a.name, a.value, out)) return usage(*error);
        } else if (a.name == "stubs") {
            stubs = a.value;
        } else if (a.name == "trailer") {
            std::optional<bool> on = yesNo(a);
            if (!on) return usage("--trailer takes yes or no, not \"" + a.value + "\"");
            trailer = *on;
        } else {
            return usage("unknown option --" + a.name);
        }
    }
    if (path.empty()) return usage("no project file named");

    MessageLog messages("caskit compile");
    Project project;
    std::string error;
    std::vector<std::string> warnings;
    // --out replaces the exe folder: a project saved elsewhere (a Windows
    // drive in its exe folder) compiles here.
    if (!loadProjectForBuild(path, project, error, warnings, out.empty())) return failure(error);
    for (const std::string& w : warnings) warn(w);
    const std::int32_t version = project.getProjectVersion();
    if (version != 1 && version != 2)
        return failure("project version " + std::to_string(version) + " is neither 1 (JDK 1.1) nor 2 (JDK 2.0)");
    if (std::optional<std::string> problem = jdk11SizeProblem(project)) return failure(path + ": " + *problem);
    const unsigned stubId = stubResourceId(project);
    std::optional<std::string> stubName = stubFileName(target, stubId);
    if (!stubName)
        return failure(std::string("there is no JDK 1.1 launcher for ") + targetName(target) +
                       "; compile JDK 1.1 projects for windows-x64 or windows-x86");
    const std::string stubPath = stubFolder(target, stubs) + *stubName;
    std::optional<std::string> stub = platform::readWholeFile(stubPath, kMaxStubSize);
    if (!stub) return failure("cannot read the stub " + stubPath);

    if (!out.empty()) redirect(project, out);
    if (project.mainClass().empty() && project.extended().embeddedJar.empty())
        return failure("the project has no main class (--main-class), nor a jar whose manifest names one (--embed-jar)");
    if (project.exeName().empty()) return failure("the project has no executable name (--exe-name or --out)");
    // Only Windows executables carry resources, written on every system;
    // --trailer asks for the form used where resources cannot be updated.
    const bool resources = targetHasResources(target) && !trailer;
    if (targetHasResources(target) && withoutExeSuffix(project.exeName()) == project.exeName())
        warn("the executable name \"" + project.exeName() + "\" has no \".exe\"; Windows does not start it as a program");

    // Only on the system caskit runs on can it tell whether the file is there.
    const std::string vmLibrary = ansiToSystem(project.vmLibraryPath(), project.textCodePage);
    if (target == hostTarget() && !vmLibrary.empty() && vmLibrary != "#bundled#" &&
        !platform::fileExists(vmLibrary))
        warn("the VM library \"" + vmLibrary +
             "\" does not exist on this system; the launcher will look for another Java runtime");

    const std::string targetPath = ansiToSystem(project.exeFolder() + project.exeName(), project.textCodePage);
    // A build tool makes the folders of its output.
    std::string unmade;
    if (!platform::makeFolders(folderOf(targetPath), unmade))
        return failure("cannot make the folder " + unmade + ": " + platform::lastErrorText());
    messages.setSubject(targetPath);
    CompileRequest request(project);
    request.stubs = [&stub](unsigned) { return stub; };
    request.form = resources ? SettingsForm::Resources : SettingsForm::Trailer;
    request.outputPath = targetPath;
    const bool written = compile(request, messages);
    if (!written || messages.count() > 0) return 1;
#ifndef _WIN32
    // A Linux launcher written on Linux must be executable; Windows has no
    // execute bit, and leaving the file-system library out keeps the
    // Windows caskit.exe on the calls Windows 95 and NT 4.0 export.
    if (target == Target::LinuxX64) {
        std::error_code ignored;
        std::filesystem::permissions(targetPath,
                                     std::filesystem::perms::owner_exec | std::filesystem::perms::group_exec |
                                         std::filesystem::perms::others_exec,
                                     std::filesystem::perm_options::add, ignored);
    }
#endif
    std::printf("caskit: wrote %s (%s, JDK %s, settings in %s)\n", targetPath.c_str(), targetName(target),
                version == 1 ? "1.1" : "2.0", resources ? "resources" : "the trailer");
    return 0;
}
