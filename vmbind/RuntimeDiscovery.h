#pragma once
// Finding the installed Java runtime: its registration (Windows registry,
// or JAVA_HOME on Linux) gives the home folder, from which the bin folder,
// the VM library and the class library are derived.

#include <optional>
#include <string>
#include <vector>

#include "launcher/LaunchParameters.h"
#include "vmbind/RuntimeProfile.h"

// Discovery results, empty until discoverRuntime has run.
extern std::string gJDKHome;
extern std::string gJDKBin;
extern std::string gJDKRuntimeLib;
extern std::string gJDKClassLib;

struct RuntimePaths {
    std::string home;
    std::string bin;
    std::string runtimeLib;
    std::string classLib;
};

// The four values for a registered home (nullopt: none registered), the
// result of the writable-folder probe and the optional library override.
RuntimePaths deriveRuntimePaths(const RuntimeProfile& profile, const std::optional<std::string>& home,
                                bool homeUsable, const std::optional<std::string>& runtimeLibOverride);

// The lines the JDK 1.1 launcher logs after discovery, in order.
std::vector<std::string> discoveryLines(const RuntimePaths& paths);
std::string discoveryLogLines(const RuntimePaths& paths);  // for tests: lines joined by LF
void writeDiscoveryLines(const RuntimePaths& paths);

// Reads the registration, probes the home, sets the four results and (for
// the JDK 1.1 launcher with diagnostics on) logs them.
void discoverRuntime(const LaunchParameters& parameters, const RuntimeProfile& profile);
