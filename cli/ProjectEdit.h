#pragma once
// What "caskit new" and "caskit set" share: applying setting options to a
// project, the checks made before it is written, and the write.

#include <optional>
#include <string>
#include <vector>

#include "builder/engine/Project.h"
#include "cli/Arguments.h"

// Applies every setting option of `args` in order (plain words and the
// options `skip` names are passed over) to `project`, whose file is
// `path`. Icon paths are stored as given and read where compile reads
// them; one that gives no image is a warning. Returns the exit code when
// the command ends here: 2 after a wrong option or value, 1 when reading
// an icon failed for want of memory.
std::optional<int> applySettingOptions(const char* command, Project& project, const std::string& path,
                                       const std::vector<Argument>& args, bool (*skip)(const std::string& name));

// The checks of a whole project before it is written (the minimum heap
// against the maximum, the settings the compile would refuse): the exit
// code 2 after reporting, or nullopt.
std::optional<int> checkProjectSettings(const char* command, const Project& project);

// Writes the project to `path` through a temporary file: 0, or 1 after the
// failure was reported.
int writeProjectFile(Project& project, const std::string& path);
