#include "cli/ProjectLoad.h"

#include "builder/engine/IconLoading.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/ProjectRecord.h"
#include "builder/engine/CodePage.h"
#include "cli/CodePageOption.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::uint64_t kMaxProjectFileSize = 4u << 20;

}  // namespace

std::optional<std::string> setIconFrom(Project& project, bool large, const std::string& path) {
    const IconLoad load = loadIcon(project, large ? IconSlot::Large : IconSlot::Small, path);
    // An icon file whose images cannot be converted still gives the
    // executable its images.
    if (large ? project.largeIcon() || !project.largeIconFileImages().empty()
              : project.smallIcon() || !project.smallIconFileImages().empty())
        return std::nullopt;
    return load.ok ? "no usable image" : load.problem;
}

std::string unreadableIconWarning(bool large, const std::string& path, const std::string& problem) {
    return std::string(large ? "large-icon " : "small-icon ") + path + " cannot be read (" + problem +
           "); the executable gets no " + (large ? "large" : "small") + " icon";
}

std::optional<std::string> setIconOption(Project& project, bool large, const std::string& value,
                                         const std::string& projectPath) {
    const std::string image = resolvePath(projectFolderText(projectPath), value);
    Project scratch(false);
    scratch.textCodePage = commandCodePage();
    std::optional<std::string> problem = setIconFrom(scratch, large, image);
    setIconFrom(project, large, value);
    if (!problem) return std::nullopt;
    return unreadableIconWarning(large, image, *problem);
}

namespace {

void loadIcon(Project& project, bool large, const std::string& path, std::vector<std::string>& warnings) {
    if (std::optional<std::string> problem = setIconFrom(project, large, path))
        warnings.push_back(unreadableIconWarning(large, path, *problem));
}

}  // namespace

std::string projectFolderText(const std::string& projectPath) {
    std::string problem;
    return systemToAnsi(folderOf(projectPath), commandCodePage(), problem).value_or(std::string());
}

std::optional<std::string> foreignPathProblem(const std::string& value) {
#ifdef _WIN32
    (void)value;
    return std::nullopt;
#else
    if (hasDrive(value)) return "\"" + value + "\" names a Windows drive, which does not exist on this system";
    if (value.compare(0, 2, "\\\\") == 0)
        return "\"" + value + "\" names a Windows network share, which this system cannot open";
    return std::nullopt;
#endif
}

std::optional<ProjectRecord> readProjectRecord(const std::string& path, std::string& error) {
    std::optional<std::string> bytes = platform::readWholeFile(path, kMaxProjectFileSize);
    if (!bytes) {
        error = "cannot read the project file " + path + ": " + platform::lastErrorText();
        return std::nullopt;
    }
    std::optional<ProjectRecord> record = decodeProjectRecord(*bytes);
    if (!record) {
        error = path + " is not a readable project file";
        return record;
    }
    if (std::optional<std::string> problem = adoptRecordedCodePage(record->extended.codePage)) {
        error = path + ": " + *problem;
        return std::nullopt;
    }
    return record;
}

bool loadProjectForBuild(const std::string& path, Project& project, std::string& error,
                         std::vector<std::string>& warnings, bool usesExeFolder) {
    std::optional<ProjectRecord> record = readProjectRecord(path, error);
    if (!record) return false;
    const struct {
        const char* setting;
        std::string* value;
    } paths[] = {{"exe-folder", &record->exeFolder},
                 {"large-icon", &record->largeIconPath},
                 {"small-icon", &record->smallIconPath}};
    for (const auto& p : paths) {
        if (p.value == &record->exeFolder && !usesExeFolder) continue;
        if (std::optional<std::string> problem = foreignPathProblem(*p.value)) {
            error = path + ": " + p.setting + " " + *problem;
            return false;
        }
    }
    // Project paths are project text: the folder they count from is too.
    const std::string base = projectFolderText(path);
    if (usesExeFolder) record->exeFolder = resolvePath(base, record->exeFolder);
    const std::string large = record->largeIconPath, small = record->smallIconPath;
    record->largeIconPath.clear();
    record->smallIconPath.clear();
    applyProjectRecord(project, *record);
    project.textCodePage = commandCodePage();
    if (!large.empty()) loadIcon(project, true, resolvePath(base, large), warnings);
    if (!small.empty()) loadIcon(project, false, resolvePath(base, small), warnings);
    project.projectPath = path;
    project.modified = false;
    return true;
}
