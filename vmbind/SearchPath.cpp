#include "vmbind/SearchPath.h"

#include "platform/Environment.h"

Text newSearchPath(const Text& jdkBin, const Text& exeFolder, const Text* startupPath) {
    Text value = ".;";
    if (!jdkBin.empty()) (value += jdkBin) += ';';
    if (!exeFolder.empty()) (value += exeFolder) += ';';
    if (startupPath) (value += *startupPath) += ';';
    return value;
}

void updatePath(const LaunchParameters& parameters, const RuntimeProfile& profile, const Text& jdkBin) {
    if (!profile.rewritesPath) return;
    Text path;
    const bool set = platform::startupVariable("PATH", path);
    platform::setVariable("PATH", newSearchPath(jdkBin, parameters.exeFolder, set ? &path : nullptr).c_str());
}
