#pragma once
// Line breaks and the line-based parameter block: a line break inside a
// value would be read by the launcher as the start of new keyword lines.

#include <optional>
#include <string>

#include "builder/engine/Project.h"

// The argument text as one line: every CR LF, LF or CR becomes one blank,
// so that a multi-line argument field passes its words on as typed.
std::string joinLines(const std::string& text);

// The first setting other than the argument text whose value holds CR or
// LF, named as the user knows it ("main class", "class path entry 2");
// nullopt when there is none. Compiling refuses such a project.
std::optional<std::string> settingWithLineBreak(const Project& project);
