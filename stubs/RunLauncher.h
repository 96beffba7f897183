#pragma once
// The launcher's run sequence from entry to exit, shared by every stub.

#include "launcher/LaunchParameters.h"

using VmStartFunction = int (*)(const LaunchParameters&);

// The command line as the entry received it: its text (for the log) and
// its arguments, in order.
struct CommandLine {
    Text text;
    List<Text> arguments;
};

// Builds the parameter object (defaults, command line, stored block),
// allocates a console when asked, hands the object to `startVm`, releases
// the console. The VM start's result is not used: the answer is always 0,
// the process exit code.
int runLauncher(const CommandLine& commandLine, PropertyStyle style, VmStartFunction startVm);
