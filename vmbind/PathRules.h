#pragma once
// Path rules of the runtime search and of the facts read about a runtime,
// the same for every source.

#include "platform/Text.h"

// True for a full path: a drive and a separator or a UNC name on Windows,
// a leading '/' on Linux.
bool isAbsolutePath(const Text& path);
// Null when `value` is an absolute path; otherwise why not ("empty", "not
// a path": relative, control characters, or characters no path holds).
const char* pathProblem(const Text& value);
// `value` without one pair of enclosing double quotes.
Text unquoted(const Text& value);
// The folder holding `path` (trailing separators ignored); empty when none.
Text parentFolder(const Text& path);
// `folder` + a separator (unless it ends with one) + `name`.
Text joinPath(const Text& folder, const char* name);
