#pragma once
// The options of "caskit new" and "caskit set": one per setting of a project.

#include <optional>
#include <string>

#include "builder/engine/Project.h"

// True for the options that take a value (all but the help switch).
bool projectOptionTakesValue(const std::string& name);

// Applies one option to the project; an error text when the name is
// unknown or the value is not acceptable. Icon options store the path
// only (their images are read by loadIcon).
std::optional<std::string> applyProjectOption(Project& project, const std::string& name, const std::string& value);

// The help text describing every option.
std::string projectOptionsHelp();
