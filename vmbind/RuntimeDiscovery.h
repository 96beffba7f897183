#pragma once
// Finding the registered Java runtime: its registry entry gives the home
// folder, from which the bin folder, the VM library and the class library
// are derived (Linux has no registry: its launcher finds its runtime by
// the search of vmbind/RuntimeSearch.h, which makes these paths too).

#include "launcher/LaunchParameters.h"
#include "vmbind/RuntimeProfile.h"

// Where a runtime is: what discovery found (all empty when nothing is
// registered), replaced by the paths of a runtime the search loads (with
// no class library).
struct RuntimePaths {
    Text home;
    Text bin;
    Text runtimeLib;
    Text classLib;
};

// The four values for a registered home (null: none registered), the
// result of the writable-folder probe and the optional library override
// (null: none).
RuntimePaths deriveRuntimePaths(const RuntimeProfile& profile, const Text* home, bool homeUsable,
                                const Text* runtimeLibOverride);

// The lines the JDK 1.1 launcher logs after discovery, in order.
List<Text> discoveryLines(const RuntimePaths& paths);

// Reads the registration, probes the home and returns the paths, after
// logging them (the JDK 1.1 launcher with diagnostics on).
RuntimePaths discoverRuntime(const LaunchParameters& parameters, const RuntimeProfile& profile);
