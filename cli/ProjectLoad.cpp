#include "cli/ProjectLoad.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "builder/engine/ProjectFile.h"
#include "builder/engine/ProjectRecord.h"
#include "builder/engine/CodePage.h"
#include "cli/CodePageOption.h"
#include "platform/FileSystem.h"
#include "platform/MessageText.h"
#include "platform/PathSeparator.h"

namespace {

constexpr std::uint64_t kMaxProjectFileSize = 4u << 20;

bool hasDrive(const std::string& p) {
    return p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

bool isAbsolute(const std::string& p) {
#ifdef _WIN32
    return hasDrive(p) || (!p.empty() && platform::isPathSeparator(p[0]));
#else
    return !p.empty() && p[0] == '/';
#endif
}

}  // namespace

std::optional<std::string> setIconFrom(Project& project, bool large, const std::string& path) {
    std::string reason;
    platform::MessageHandler previous = platform::setMessageHandler(
        [&reason](platform::WindowRef, const std::string& text, const std::string&, unsigned) {
            if (reason.empty()) reason = text;
            return platform::kIdOk;
        });
    try {
        if (large) project.setLargeIconPath(path);
        else project.setSmallIconPath(path);
    } catch (const std::exception& e) {
        reason = *e.what() ? e.what() : "out of memory";
    }
    platform::setMessageHandler(std::move(previous));
    if (large ? project.largeIcon() : project.smallIcon()) return std::nullopt;
    return reason.empty() ? "no usable image" : reason;
}

namespace {

void loadIcon(Project& project, bool large, const std::string& path, std::vector<std::string>& warnings) {
    if (std::optional<std::string> problem = setIconFrom(project, large, path))
        warnings.push_back(std::string(large ? "large-icon " : "small-icon ") + path + " cannot be read (" + *problem +
                           "); the executable gets no " + (large ? "large" : "small") + " icon");
}

}  // namespace

std::string folderOf(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (platform::isPathSeparator(path[i - 1])) return path.substr(0, i);
    return std::string();
}

std::string projectFolderText(const std::string& projectPath) {
    std::string problem;
    return systemToAnsi(folderOf(projectPath), problem).value_or(std::string());
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

std::string resolvePath(const std::string& folder, const std::string& path) {
    if (isAbsolute(path)) return path;
    std::string relative = path;
#ifndef _WIN32
    std::replace(relative.begin(), relative.end(), '\\', '/');
#endif
    return folder + relative;
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
                         std::vector<std::string>& warnings) {
    std::optional<ProjectRecord> record = readProjectRecord(path, error);
    if (!record) return false;
    const struct {
        const char* setting;
        std::string* value;
    } paths[] = {{"exe-folder", &record->exeFolder},
                 {"large-icon", &record->largeIconPath},
                 {"small-icon", &record->smallIconPath}};
    for (const auto& p : paths) {
        if (std::optional<std::string> problem = foreignPathProblem(*p.value)) {
            error = path + ": " + p.setting + " " + *problem;
            return false;
        }
    }
    // Project paths are project text: the folder they count from is too.
    const std::string base = projectFolderText(path);
    record->exeFolder = resolvePath(base, record->exeFolder);
    const std::string large = record->largeIconPath, small = record->smallIconPath;
    record->largeIconPath.clear();
    record->smallIconPath.clear();
    applyProjectRecord(project, *record);
    if (!large.empty()) loadIcon(project, true, resolvePath(base, large), warnings);
    if (!small.empty()) loadIcon(project, false, resolvePath(base, small), warnings);
    project.projectPath = path;
    project.modified = false;
    return true;
}
