#pragma once
// Preparing the environment the VM sees: %NAME% expansion and the merge of
// the system CLASSPATH into the class-path list. Both read the start-up
// environment (what the process received when it started), so variables
// set by "environment" records are invisible to them.

#include <optional>
#include <string>
#include <vector>

#include "launcher/LaunchParameters.h"

// Replaces the span from the first to the last '%' of `text` (both
// included) by the start-up value of the variable named between them.
// Unchanged when there are fewer than two '%' or the name is unknown.
void expandVariable(std::string& text);

// Completes `classPath` with "." and the entries of the start-up CLASSPATH
// (entries separated by platform::kListSeparator), as `mode` says. Nothing
// happens when CLASSPATH is not set.
void mergeSystemClassPath(std::vector<std::string>& classPath, ClassPathMode mode);

// Removes the next entry from the front of a platform::kListSeparator
// separated `text` and returns it; empty when no entry is left.
std::string nextPathEntry(std::string& text);

// The same two steps with the system class path and the separator given,
// so both separator forms can be exercised on any system.
void mergeClassPath(std::vector<std::string>& classPath, ClassPathMode mode,
                    const std::optional<std::string>& systemClassPath, char separator);
std::string nextPathEntry(std::string& text, char separator);
