// caskit new PROJECT.csk --jdk 1.1|2.0 [options]: writes a project file.
#include <cstdio>

#include "builder/engine/Globals.h"
#include "builder/engine/ProjectFile.h"
#include "cli/Arguments.h"
#include "cli/CodePageOption.h"
#include "cli/Commands.h"
#include "cli/MessageLog.h"
#include "cli/ProjectLoad.h"
#include "cli/ProjectOptions.h"

namespace {

int usage(const std::string& text) { return usageError("new", text); }

bool takesValue(const std::string& name) { return name == "jdk" || projectOptionTakesValue(name); }

}  // namespace

int runNew(const std::vector<std::string>& words) {
    std::vector<Argument> args;
    if (std::optional<int> done = readArguments("new", words, takesValue, args)) return *done;

    std::string path;
    std::int32_t version = 0;
    for (const Argument& a : args) {
        if (a.name.empty()) {
            if (!path.empty()) return usage("more than one project file: " + path + ", " + a.value);
            path = a.value;
        } else if (a.name == "jdk") {
            if (a.value == "1.1") version = 1;
            else if (a.value == "2.0" || a.value == "1.2") version = 2;
            else return usage("--jdk takes 1.1 or 2.0, not \"" + a.value + "\"");
        }
    }
    if (path.empty()) return usage("no project file named");
    if (version == 0) return usage("--jdk 1.1 or --jdk 2.0 is required");

    MessageLog messages;
    Project project;
    project.setProjectVersion(version);
    try {
        for (const Argument& a : args) {
            if (a.name.empty() || a.name == "jdk") continue;
            std::string value;
            if (auto error = projectTextOf(a.name, a.value, value)) return usage(*error);
            const bool large = a.name == "large-icon";
            if ((large || a.name == "small-icon") && !value.empty()) {
                if (std::optional<std::string> warning = setIconOption(project, large, value, path))
                    std::fprintf(stderr, "caskit new: warning: %s\n", warning->c_str());
                continue;
            }
            if (auto error = applyProjectOption(project, a.name, value)) return usage(*error);
        }
    } catch (const XException& e) {
        std::fprintf(stderr, "caskit new: cannot read the icon file: %s\n", *e.what() ? e.what() : "out of memory");
        return 1;
    }
    if (messages.count() > 0) return 1;  // an image file could not be read
    if (project.minHeap() > project.maxHeap())
        return usage("--min-heap (" + std::to_string(project.minHeap()) + " KB) is larger than --max-heap (" +
                     std::to_string(project.maxHeap()) + " KB)");

    project.projectPath = path;
    project.modified = true;  // a project of defaults is written too
    if (!saveProject(project, nullptr)) return 1;
    std::printf("caskit: wrote %s\n", path.c_str());
    return 0;
}
