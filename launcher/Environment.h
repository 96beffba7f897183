#pragma once
// Preparing the environment the VM sees: %NAME% expansion and the merge of
// the system CLASSPATH into the class-path list. Both read the start-up
// environment (what the process received when it started), so variables
// set by "environment" records are invisible to them.

#include "launcher/LaunchParameters.h"

// Replaces the span from the first to the last '%' of `text` (both
// included) by the start-up value of the variable named between them.
// Unchanged when there are fewer than two '%' or the name is unknown.
void expandVariable(Text& text);

// Completes `classPath` with "." and the entries of the start-up CLASSPATH
// (entries separated by platform::kListSeparator), as `mode` says. Nothing
// happens when CLASSPATH is not set.
void mergeSystemClassPath(List<Text>& classPath, ClassPathMode mode);

// Removes the next entry from the front of a platform::kListSeparator
// separated `text` and returns it; empty when no entry is left.
Text nextPathEntry(Text& text);

// The same two steps with the system class path and the separator given,
// so both separator forms can be exercised on any system. A null
// `systemClassPath` stands for an unset CLASSPATH.
void mergeClassPath(List<Text>& classPath, ClassPathMode mode, const Text* systemClassPath, char separator);
Text nextPathEntry(Text& text, char separator);
