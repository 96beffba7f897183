#pragma once
// Project files (".csk"): a flat little-endian record of the project's fields.

#include <string>

#include "builder/engine/Project.h"
#include "platform/MessageText.h"

// Writes the project when it is modified (asking for a file name when it has
// none). The file is written to a temporary file in the same folder and
// replaces the old one only after a complete write. True when saved or when
// there was nothing to save.
bool saveProject(Project& project, platform::WindowRef owner);

// Reads a project file into a freshly constructed project (an empty path
// asks with the Open dialog). False when cancelled, unreadable or damaged.
bool openProject(Project& project, platform::WindowRef owner, const std::string& path);

// The Save dialog's proposed name: the part of the main class after its
// last "." followed by ".csk"; empty without a main class.
std::string proposedProjectFileName(const std::string& mainClass);

// The record itself, without any file or dialog: used by the two above and
// by tests. `parseProjectRecord` fails on a short or damaged record.
std::string serializeProject(const Project& project);
bool parseProjectRecord(Project& project, const std::string& bytes);

// Sets a freshly constructed project from a decoded record, as opening a
// project file does (icon paths load their images; images that cannot be
// read leave their slots empty).
struct ProjectRecord;
void applyProjectRecord(Project& project, const ProjectRecord& record);
