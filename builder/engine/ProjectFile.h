#pragma once
// Project files (".csk"): a flat little-endian record of the project's fields.

#include <string>

#include "builder/engine/Project.h"
#include "builder/engine/Reporter.h"

// The caption of the errors of saving and opening a project file.
constexpr const char* kProjectFileCaption = "Error Creating Project File";

// Writes the project to its projectPath when it is modified (a front end
// asks for a name first when it has none; without one nothing is written
// and the result is false, unreported). The file is written to a new file
// in the same folder (platform::ReplacementFile) and replaces the old one,
// keeping its mode, only after a complete write; a projectPath that is a
// symbolic link replaces the file it names. True when saved or when there
// was nothing to save; a failure is reported.
bool saveProject(Project& project, Reporter& reporter);

// Reads the project file at `path` into a freshly constructed project.
// False for an empty path (not reported), an unreadable file (reported) or
// a damaged one (not reported).
bool openProject(Project& project, const std::string& path, Reporter& reporter);

// The Save dialog's proposed name: the part of the main class after its
// last "." followed by ".csk"; empty without a main class.
std::string proposedProjectFileName(const std::string& mainClass);

// The record itself, without any file or dialog: used by the two above and
// by tests. `parseProjectRecord` fails on a short or damaged record.
std::string serializeProject(const Project& project);
bool parseProjectRecord(Project& project, const std::string& bytes);

// Sets a freshly constructed project from a decoded record, as opening a
// project file does, the icon paths without their images (which opening
// then reads: IconLoading.h).
struct ProjectRecord;
void applyProjectRecord(Project& project, const ProjectRecord& record);
