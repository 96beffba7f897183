#pragma once
// Opening a project for "caskit compile" the way a build tool does: the
// exe folder and the icon and bitmap files are taken relative to the
// project file's folder (not the current directory), a path that cannot
// name anything on this system is an error naming its setting, and an
// image that cannot be read is only a warning (the executable gets no
// such icon).

#include <optional>
#include <string>
#include <vector>

#include "builder/engine/Project.h"
#include "builder/engine/ProjectPaths.h"
#include "builder/engine/ProjectRecord.h"

// The settings stored in the project file at `path`, as stored, with the
// code page it records made the project code page; nullopt with `error`
// (naming the file) when it cannot be read, is damaged, or its code page
// contradicts --code-page.
std::optional<ProjectRecord> readProjectRecord(const std::string& path, std::string& error);

// Reads the project file at `path` into a freshly constructed `project`.
// False with `error` (naming the file) when the file cannot be read, is
// damaged, or holds a path that means nothing here. Every image problem
// adds one line to `warnings`. Without `usesExeFolder` (the target is
// named otherwise) the exe folder is neither checked nor resolved.
bool loadProjectForBuild(const std::string& path, Project& project, std::string& error,
                         std::vector<std::string>& warnings, bool usesExeFolder = true);

// Sets the large or small icon path of `project` and loads its image,
// quietly: returns why no image could be taken from `path` (the path is
// stored all the same), or nullopt.
std::optional<std::string> setIconFrom(Project& project, bool large, const std::string& path);

// The warning for an icon or bitmap file that gives no image.
std::string unreadableIconWarning(bool large, const std::string& path, const std::string& problem);

// The --large-icon or --small-icon option of "new" and "set": stores
// `value` as given and reads the image where compile will look for it,
// relative to the folder of the project file at `projectPath`. Returns the
// warning to show when it gives no image; the path is stored all the same.
std::optional<std::string> setIconOption(Project& project, bool large, const std::string& value,
                                         const std::string& projectPath);

// Why `value` cannot name a file on this system (a drive or network path
// of Windows on Linux), or nullopt.
std::optional<std::string> foreignPathProblem(const std::string& value);

// The folder of the project file at `projectPath` (system text) as project
// text, the base of the project's relative paths; empty when the project
// code page cannot hold it (the paths then count from the current folder).
std::string projectFolderText(const std::string& projectPath);
