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
// allocates a console when asked (a console program has one and ignores
// the switch, and so does a `background` process, which nobody sees),
// hands the object to `startVm`, releases the console. The answer is the
// process exit code: 0 when main returned, 1 after a failure of the VM
// start (already shown) or an exception thrown out of main.
int runLauncher(const CommandLine& commandLine, PropertyStyle style, VmStartFunction startVm,
                bool background = false);
