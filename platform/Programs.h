#pragma once
// Other programs the command-line builder runs (the JDK's jlink and jdeps,
// Debian's tools, wixl), and the folders it makes for one run's work.

#include <string>
#include <vector>

namespace platform {

// The file of the program at `path` given without a suffix: `path` itself
// on Linux, `path` + ".exe" on Windows.
std::string programFile(const std::string& path);

// Runs `argv` (argv[0] searched on PATH when it names no folder; on
// Windows ".exe" is added when it has no suffix), with no input and its
// standard output and error captured together into `output`. The exit
// code, or -1 with `output` naming the program and why it could not be
// started.
int runProgram(const std::vector<std::string>& argv, std::string& output);

// Makes the folder `path`, which must not exist, for the user alone
// (Linux: mode 0700; Windows: the access its parent passes on). False when
// it could not be made, with `taken` set when something was there.
bool makePrivateFolder(const std::string& path, bool& taken);

}  // namespace platform
