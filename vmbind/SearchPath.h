#pragma once
// The PATH a launcher gives itself before it loads the VM library: the
// current folder, the runtime's bin folder and the executable's folder
// first, then the PATH the process started with.

#include <optional>
#include <string>

#include "launcher/LaunchParameters.h"
#include "vmbind/RuntimeProfile.h"

// ".;" + bin + ";" (when not empty) + exeFolder + ";" (when not empty) +
// startup PATH + ";" (when it was set).
std::string newSearchPath(const std::string& jdkBin, const std::string& exeFolder,
                          const std::optional<std::string>& startupPath);

// Sets PATH from gJDKBin, exeFolder and the start-up PATH (not on Linux,
// whose profile leaves PATH alone).
void updatePath(const LaunchParameters& parameters, const RuntimeProfile& profile);
