#pragma once
// Process environment: the live one, and the snapshot taken when the
// process started (before any variable was changed by this program).

#include <optional>
#include <string>
#include <vector>

namespace platform {

// NAME=VALUE entries as the process received them at start-up.
const std::vector<std::string>& startupEnvironment();

// Value of `name` in the start-up snapshot; names compare without regard
// to case. nullopt when the variable was not set.
std::optional<std::string> startupVariable(const std::string& name);

// Sets a variable of the live process environment (an empty value is set
// as empty, not removed). Returns false on failure (empty name, '=' in name).
bool setVariable(const std::string& name, const std::string& value);

// Live value of a variable, nullopt when unset.
std::optional<std::string> currentVariable(const std::string& name);

// Makes `folder` the current directory; false on failure.
bool setCurrentDirectory(const std::string& folder);
std::string currentDirectory();

}  // namespace platform
