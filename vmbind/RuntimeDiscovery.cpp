#include "vmbind/RuntimeDiscovery.h"

#include "launcher/DiagnosticLog.h"
#include "launcher/FolderProbe.h"
#include "platform/Environment.h"
#include "platform/Registry.h"

std::string gJDKHome;
std::string gJDKBin;
std::string gJDKRuntimeLib;
std::string gJDKClassLib;

RuntimePaths deriveRuntimePaths(const RuntimeProfile& profile, const std::optional<std::string>& home,
                                bool homeUsable, const std::optional<std::string>& runtimeLibOverride) {
    RuntimePaths paths;
    if (!home) return paths;
    // A home that fails the probe counts as if nothing were registered.
    if (!homeUsable) return paths;
    paths.home = *home;
    paths.bin = *home + profile.binSuffix;
    paths.runtimeLib = *home + profile.runtimeLibSuffix;
    if (!profile.classLibSuffix.empty()) paths.classLib = *home + profile.classLibSuffix;
    if (!profile.runtimeLibValue.empty() && runtimeLibOverride) paths.runtimeLib = *runtimeLibOverride;
    return paths;
}

std::vector<std::string> discoveryLines(const RuntimePaths& paths) {
    return {"   gJDKHome = " + paths.home, "   gJDKBin = " + paths.bin, "   gJDKRuntimeLib = " + paths.runtimeLib,
            "   gJDKClassLib = " + paths.classLib};
}

std::string discoveryLogLines(const RuntimePaths& paths) {
    std::string text;
    for (const std::string& line : discoveryLines(paths)) text += line + "\n";
    return text;
}

void writeDiscoveryLines(const RuntimePaths& paths) {
    for (const std::string& line : discoveryLines(paths)) diagnosticLog().writeLine(line);
}

// Home and library override from the first registry key that opens.
static void readRegistration(const RuntimeProfile& profile, std::optional<std::string>& home, bool& usable,
                             std::optional<std::string>& runtimeLib) {
    for (const std::string& keyName : profile.registryKeys) {
        platform::RegistryKey key = platform::openMachineKey(keyName);
        if (!key) continue;
        home = key.readText("JavaHome");
        if (home) {
            usable = !profile.probesHome || isFolderWritable(*home);
            if (usable && !profile.runtimeLibValue.empty()) runtimeLib = key.readText(profile.runtimeLibValue);
        }
        return;  // only the first key that opens is used
    }
}

void discoverRuntime(const LaunchParameters& parameters, const RuntimeProfile& profile) {
    std::optional<std::string> home;
    std::optional<std::string> runtimeLib;
    bool usable = false;
    if (!profile.homeVariable.empty()) {
        home = platform::startupVariable(profile.homeVariable);
        if (home && home->empty()) home.reset();
        usable = home && (!profile.probesHome || isFolderWritable(*home));
    } else {
        readRegistration(profile, home, usable, runtimeLib);
    }
    RuntimePaths paths = deriveRuntimePaths(profile, home, usable, runtimeLib);
    gJDKHome = paths.home;
    gJDKBin = paths.bin;
    gJDKRuntimeLib = paths.runtimeLib;
    gJDKClassLib = paths.classLib;
    if (profile.logsDiscovery && parameters.diagnosticsEnabled) writeDiscoveryLines(paths);
}
