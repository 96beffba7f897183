// caskit new PROJECT.csk --jdk 1.1|2.0 [options]: writes a project file.
#include <algorithm>

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
    project.textCodePage = commandCodePage();
    project.setProjectVersion(version);
    project.setExtended(&ExtendedSettings::codePage, codePageToRecord());
    // Today's runtimes run everything in the interpreter when the JIT is
    // off: a new JDK 2.0 project has it on unless --jit off is given.
    // Its heap is the runtime's to size, as `java` does, unless
    // --min-heap/--max-heap give a number: a fixed 16 MB maximum makes
    // today's programs run out of memory.
    if (version == 2) {
        project.setJitEnabled(true);
        project.setExtended(&ExtendedSettings::runtimeHeap, kRuntimeMinHeap | kRuntimeMaxHeap);
    }
    if (std::optional<int> done = applySettingOptions("new", project, path, args, isJdkOption)) return *done;
    // A console program works on the caller's files, as `java` does,
    // unless --working-folder says otherwise.
    const bool folderNamed = std::any_of(args.begin(), args.end(), [](const Argument& a) {
        return a.name == "working-folder";
    });
    if (project.extended().consoleProgram && !folderNamed)
        project.setExtended(&ExtendedSettings::workingFolder, static_cast<std::uint32_t>(WorkingFolder::Caller));
    if (std::optional<int> done = checkProjectSettings("new", project)) return *done;
    return writeProjectFile(project, path);
}
