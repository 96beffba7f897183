// caskit set PROJECT.csk [options]: changes the settings named and keeps
// every other one as stored.
#include <cstdio>

#include "builder/engine/ProjectFile.h"
#include "cli/Arguments.h"
#include "cli/CodePageOption.h"
#include "cli/Commands.h"
#include "cli/ProjectEdit.h"
#include "cli/ProjectLoad.h"
#include "cli/ProjectOptions.h"
#include "platform/FileSystem.h"

namespace {

struct ListClear {
    const char* option;
    ProjectList list;
};

// "--clear-..." empties a list; the list options then add to it.
const ListClear kClears[] = {
    {"clear-class-path", ProjectList::ClassPath},
    {"clear-properties", ProjectList::Properties},
    {"clear-env", ProjectList::Environment},
    {"clear-jvm-options", ProjectList::JvmOptions},
};

const ListClear* clearOption(const std::string& name) {
    for (const ListClear& c : kClears)
        if (name == c.option) return &c;
    return nullptr;
}

bool takesValue(const std::string& name) { return !clearOption(name) && projectOptionTakesValue(name); }

bool isClear(const std::string& name) { return clearOption(name) != nullptr; }

}  // namespace

int runSet(const std::vector<std::string>& words) {
    std::vector<Argument> args;
    if (std::optional<int> done = readArguments("set", words, takesValue, args)) return *done;
    std::string path;
    for (const Argument& a : args) {
        if (!a.name.empty()) {
            if (isClear(a.name) && a.hasValue) return usageError("set", "--" + a.name + " takes no value");
            continue;
        }
        if (!path.empty()) return usageError("set", "more than one project file: " + path + ", " + a.value);
        path = a.value;
    }
    if (path.empty()) return usageError("set", "no project file named");

    // Held across the read, the change and the write, so that a concurrent
    // "caskit set" on the same project starts from this one's result.
    platform::FileLock lock;
    if (!lock.lock(platform::linkTarget(path)) && platform::fileExists(path)) {
        std::fprintf(stderr, "caskit set: cannot lock %s: %s\n", path.c_str(), platform::lastErrorText().c_str());
        return 1;
    }
    std::string error;
    std::optional<ProjectRecord> record = readProjectRecord(path, error);
    if (!record) {
        std::fprintf(stderr, "caskit set: %s\n", error.c_str());
        return 1;
    }
    // The icon paths are kept as stored, their images read quietly.
    const std::string largeIcon = record->largeIconPath, smallIcon = record->smallIconPath;
    record->largeIconPath.clear();
    record->smallIconPath.clear();
    Project project;
    applyProjectRecord(project, *record);
    project.textCodePage = commandCodePage();
    // A project that records none gets the code page --code-page names.
    if (project.extended().codePage == 0) project.setExtended(&ExtendedSettings::codePage, codePageToRecord());
    if (!largeIcon.empty()) setIconFrom(project, true, largeIcon);
    if (!smallIcon.empty()) setIconFrom(project, false, smallIcon);
    // Clears come first, whatever their place, so that "--clear-... --x A"
    // and "--x A --clear-..." both leave A.
    for (const Argument& a : args)
        if (const ListClear* c = clearOption(a.name)) project.listClear(c->list);
    if (std::optional<int> done = applySettingOptions("set", project, path, args, isClear)) return *done;
    if (std::optional<int> done = checkProjectSettings("set", project)) return *done;
    return writeProjectFile(project, path);
}
