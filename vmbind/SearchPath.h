#pragma once
// The PATH a launcher gives itself before it loads the VM library: the
// current folder, the runtime's bin folder and the executable's folder
// first, then the PATH the process started with.

#include "launcher/LaunchParameters.h"
#include "vmbind/RuntimeProfile.h"

// ".;" + bin + ";" (when not empty) + exeFolder + ";" (when not empty) +
// startup PATH + ";" (when it was set: `startupPath` not null).
Text newSearchPath(const Text& jdkBin, const Text& exeFolder, const Text* startupPath);

// Sets PATH from the runtime's `jdkBin`, exeFolder and the start-up PATH
// (not on Linux, whose profile leaves PATH alone).
void updatePath(const LaunchParameters& parameters, const RuntimeProfile& profile, const Text& jdkBin);
