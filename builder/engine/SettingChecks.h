#pragma once
// What the compile refuses in the settings beyond the original record,
// checked the same way by the compile, by "caskit new/set" and by the
// builder's pages.

#include <cstdint>
#include <optional>
#include <string>

#include "builder/engine/Project.h"

// A message naming the setting (or the list entry) that cannot be stored
// in an executable, or nullopt: a VM option that does not begin with "-",
// a line break in any of these settings (the launcher reads its settings
// one line each), a Java version bound that is no Java version, a lowest
// version above the highest, a number above what its setting takes (a
// restart exit code above 255), an instance handler that is not
// CLASS.METHOD, and a console program or an embedded jar in a JDK 1.1
// project.
std::optional<std::string> extendedSettingProblem(const Project& project);

// The same for one VM option alone (the pages check an entry as it is added).
std::optional<std::string> jvmOptionProblem(const std::string& option);

// A number typed on a page for a setting that takes 1 up to its largest
// value, or off: empty text and 0 are off. Stores the value, or answers the
// message the compile gives for the number (text that is no number, such as
// "12a" pasted into a digits-only field, gets the same message).
std::optional<std::string> settingNumberProblem(std::uint32_t ExtendedSettings::*field, const std::string& typed,
                                                std::uint32_t& value);
