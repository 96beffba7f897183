#pragma once
// What the compile refuses in the settings beyond the original record,
// checked the same way by the compile, by "caskit new/set" and by the
// builder's pages.

#include <optional>
#include <string>

#include "builder/engine/Project.h"

// A message naming the setting (or the list entry) that cannot be stored
// in an executable, or nullopt: a VM option that does not begin with "-",
// a line break in any of these settings (the launcher reads its settings
// one line each), a Java version bound that is no Java version, a lowest
// version above the highest, and a console program or an embedded jar in
// a JDK 1.1 project.
std::optional<std::string> extendedSettingProblem(const Project& project);

// The same for one VM option alone (the pages check an entry as it is added).
std::optional<std::string> jvmOptionProblem(const std::string& option);
