#include "vmbind/RuntimeDiscovery.h"

#include "launcher/DiagnosticLog.h"
#include "launcher/FolderProbe.h"
#include "platform/Registry.h"

RuntimePaths deriveRuntimePaths(const RuntimeProfile& profile, const Text* home, bool homeUsable,
                                const Text* runtimeLibOverride) {
    RuntimePaths paths;
    // A home that fails the probe counts as if nothing were registered.
    if (!home || !homeUsable) return paths;
    paths.home = *home;
    paths.bin = *home + profile.binSuffix;
    paths.runtimeLib = *home + profile.runtimeLibSuffix;
    if (profile.classLibSuffix[0]) paths.classLib = *home + profile.classLibSuffix;
    if (profile.runtimeLibValue[0] && runtimeLibOverride) paths.runtimeLib = *runtimeLibOverride;
    return paths;
}

List<Text> discoveryLines(const RuntimePaths& paths) {
    List<Text> lines;
    static const char* const labels[] = {"   gJDKHome = ", "   gJDKBin = ", "   gJDKRuntimeLib = ", "   gJDKClassLib = "};
    const Text* const values[] = {&paths.home, &paths.bin, &paths.runtimeLib, &paths.classLib};
    for (size_t i = 0; i < 4; ++i) {
        Text line = labels[i];
        line += *values[i];
        lines.push_back(static_cast<Text&&>(line));
    }
    return lines;
}

namespace {

struct Registration {
    bool hasHome = false;
    Text home;
    bool usable = false;
    bool hasRuntimeLib = false;
    Text runtimeLib;
};

// Home and library override from the first registry key that opens.
Registration readRegistration(const RuntimeProfile& profile) {
    Registration r;
    for (const char* const* keyName = profile.registryKeys; *keyName; ++keyName) {
        platform::RegistryKey key = platform::openMachineKey(*keyName);
        if (!key) continue;
        r.hasHome = key.readText("JavaHome", r.home);
        if (r.hasHome) {
            r.usable = !profile.probesHome || isFolderWritable(r.home);
            if (r.usable && profile.runtimeLibValue[0])
                r.hasRuntimeLib = key.readText(profile.runtimeLibValue, r.runtimeLib);
        }
        break;  // only the first key that opens is used
    }
    return r;
}

}  // namespace

RuntimePaths discoverRuntime(const LaunchParameters& parameters, const RuntimeProfile& profile) {
    Registration r = readRegistration(profile);
    RuntimePaths paths = deriveRuntimePaths(profile, r.hasHome ? &r.home : nullptr, r.usable,
                                            r.hasRuntimeLib ? &r.runtimeLib : nullptr);
    if (profile.logsDiscovery && parameters.diagnosticsEnabled)
        for (const Text& line : discoveryLines(paths)) diagnosticLog().writeLine(line);
    return paths;
}
