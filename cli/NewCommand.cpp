// caskit new PROJECT.csk --jdk 1.1|2.0 [options]: writes a project file.
#include "cli/Arguments.h"
#include "cli/CodePageOption.h"
#include "cli/Commands.h"
#include "cli/ProjectEdit.h"
#include "cli/ProjectOptions.h"

namespace {

int usage(const std::string& text) { return usageError("new", text); }

bool takesValue(const std::string& name) { return name == "jdk" || projectOptionTakesValue(name); }

bool isJdkOption(const std::string& name) { return name == "jdk"; }

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

    Project project;
    project.setProjectVersion(version);
    project.setExtended(&ExtendedSettings::codePage, codePageToRecord());
    if (std::optional<int> done = applySettingOptions("new", project, path, args, isJdkOption)) return *done;
    if (std::optional<int> done = checkProjectSettings("new", project)) return *done;
    return writeProjectFile(project, path);
}
