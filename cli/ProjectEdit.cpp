#include "cli/ProjectEdit.h"

#include <cstdio>

#include "builder/engine/IconLoading.h"
#include "builder/engine/Jdk11Sizes.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/SettingChecks.h"
#include "cli/CodePageOption.h"
#include "cli/MessageLog.h"
#include "cli/ProjectLoad.h"
#include "cli/ProjectOptions.h"


std::optional<int> applySettingOptions(const char* command, Project& project, const std::string& path,
                                       const std::vector<Argument>& args, bool (*skip)(const std::string& name)) {
    for (const Argument& a : args) {
        if (a.name.empty() || skip(a.name)) continue;
        std::string value;
        if (auto error = projectTextOf(a.name, a.value, value)) return usageError(command, *error);
        const bool large = a.name == "large-icon";
        if ((large || a.name == "small-icon") && !value.empty()) {
            // An image that cannot be read is a warning, as in compile:
            // the path is stored all the same.
            if (std::optional<std::string> warning = setIconOption(project, large, value, path))
                std::fprintf(stderr, "caskit %s: warning: %s\n", command, warning->c_str());
            continue;
        }
        if (large || a.name == "small-icon") {
            // An empty path replacing another is read too, and fails.
            const IconLoad load = loadIcon(project, large ? IconSlot::Large : IconSlot::Small, value);
            if (load.ok) continue;
            std::fprintf(stderr, "caskit %s: cannot read the icon file: %s\n", command, load.problem.c_str());
            return 1;
        }
        if (auto error = applyProjectOption(project, a.name, value)) return usageError(command, *error);
    }
    return std::nullopt;
}

std::optional<int> checkProjectSettings(const char* command, const Project& project) {
    if (project.extended().runtimeHeap == 0 && project.minHeap() > project.maxHeap())
        return usageError(command, "--min-heap (" + std::to_string(project.minHeap()) +
                                       " KB) is larger than --max-heap (" + std::to_string(project.maxHeap()) +
                                       " KB)");
    if (std::optional<std::string> problem = jdk11SizeProblem(project)) return usageError(command, *problem);
    if (std::optional<std::string> problem = extendedSettingProblem(project)) return usageError(command, *problem);
    return std::nullopt;
}

int writeProjectFile(Project& project, const std::string& path) {
    MessageLog messages;
    messages.setSubject(path);
    project.projectPath = path;
    project.modified = true;  // a project of defaults is written too
    if (!saveProject(project, messages)) return 1;
    std::printf("caskit: wrote %s\n", path.c_str());
    return 0;
}
