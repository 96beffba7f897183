#include "vmbind/SearchPath.h"

#include "platform/Environment.h"
#include "vmbind/RuntimeDiscovery.h"

std::string newSearchPath(const std::string& jdkBin, const std::string& exeFolder,
                          const std::optional<std::string>& startupPath) {
    std::string value = ".;";
    if (!jdkBin.empty()) value += jdkBin + ";";
    if (!exeFolder.empty()) value += exeFolder + ";";
    if (startupPath) value += *startupPath + ";";
    return value;
}

void updatePath(const LaunchParameters& parameters, const RuntimeProfile& profile) {
    if (!profile.rewritesPath) return;
    platform::setVariable("PATH", newSearchPath(gJDKBin, parameters.exeFolder, platform::startupVariable("PATH")));
}
