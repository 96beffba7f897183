#pragma once
// The launcher's run sequence from entry to exit, shared by every stub.

#include <string>

#include "launcher/LaunchParameters.h"

using VmStartFunction = int (*)(const LaunchParameters&);

// Builds the parameter object (defaults, command line, stored block),
// allocates a console when asked, hands the object to `startVm`, releases
// the console. The VM start's result is not used: the answer is always 0,
// the process exit code.
int runLauncher(const std::string& commandLine, PropertyStyle style, VmStartFunction startVm);
