#pragma once
// The whole class path a VM start hands over: its text finished
// (finishClassPath), with the executable's own file in front when it
// carries the program's jar.

#include "launcher/LaunchParameters.h"
#include "platform/Text.h"

// The class path for `text`, the executable's own file first when
// `embeddedJar`. A folder whose path holds the class-path separator would
// split every entry naming it: the executable's file is then named alone,
// relative to the current folder, which is its folder unless the caller's
// stays current. Where no entry can name the executable's files (its
// folder with the caller's folder current, or a file name holding the
// separator) shows a message naming the path and the character and ends
// the process with code 1, as a failed start does.
Text vmClassPath(const LaunchParameters& parameters, const Text& text, bool embeddedJar);
