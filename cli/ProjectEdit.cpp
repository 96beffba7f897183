#include "cli/ProjectEdit.h"

#include <cstdio>

#include "builder/engine/Globals.h"
#include "builder/engine/Jdk11Sizes.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/SettingChecks.h"
#include "cli/CodePageOption.h"
#include "cli/MessageLog.h"
#include "cli/ProjectLoad.h"
#include "cli/ProjectOptions.h"

namespace {

// Stored as given; checked where compile will look for it, relative to the
// project file's folder. Returns 1 when the image cannot be read.
std::optional<int> applyIcon(const char* command, Project& project, const std::string& path, bool large,
                             const std::string& word, const std::string& value) {
    const std::string image = resolvePath(projectFolderText(path), value);
    Project scratch(false);
    if (std::optional<std::string> problem = setIconFrom(scratch, large, image)) {
        std::fprintf(stderr, "caskit %s: cannot read the icon file %s: %s\n", command, word.c_str(),
                     problem->c_str());
        return 1;
    }
    setIconFrom(project, large, value);
    return std::nullopt;
}

}  // namespace

std::optional<int> applySettingOptions(const char* command, Project& project, const std::string& path,
                                       const std::vector<Argument>& args, bool (*skip)(const std::string& name)) {
    MessageLog messages;
    try {
        for (const Argument& a : args) {
            if (a.name.empty() || skip(a.name)) continue;
            std::string value;
            if (auto error = projectTextOf(a.name, a.value, value)) return usageError(command, *error);
            const bool large = a.name == "large-icon";
            if ((large || a.name == "small-icon") && !value.empty()) {
                if (std::optional<int> done = applyIcon(command, project, path, large, a.value, value)) return done;
                continue;
            }
            if (auto error = applyProjectOption(project, a.name, value)) return usageError(command, *error);
        }
    } catch (const XException& e) {
        std::fprintf(stderr, "caskit %s: cannot read the icon file: %s\n", command,
                     *e.what() ? e.what() : "out of memory");
        return 1;
    }
    if (messages.count() > 0) return 1;  // an image file could not be read
    return std::nullopt;
}

std::optional<int> checkProjectSettings(const char* command, const Project& project) {
    if (project.minHeap() > project.maxHeap())
        return usageError(command, "--min-heap (" + std::to_string(project.minHeap()) +
                                       " KB) is larger than --max-heap (" + std::to_string(project.maxHeap()) +
                                       " KB)");
    if (std::optional<std::string> problem = jdk11SizeProblem(project)) return usageError(command, *problem);
    if (std::optional<std::string> problem = extendedSettingProblem(project)) return usageError(command, *problem);
    return std::nullopt;
}

int writeProjectFile(Project& project, const std::string& path) {
    MessageLog messages;
    project.projectPath = path;
    project.modified = true;  // a project of defaults is written too
    if (!saveProject(project, nullptr)) return 1;
    std::printf("caskit: wrote %s\n", path.c_str());
    return 0;
}
