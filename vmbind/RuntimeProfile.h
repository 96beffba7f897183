#pragma once
// What the JDK 1.1 and JDK 1.2 launchers (and the Linux launcher) differ in
// when they find and load a runtime: registry keys, derived paths, the bare
// library name and the texts of their messages.

#include <string>
#include <vector>

struct RuntimeProfile {
    // Keys under HKEY_LOCAL_MACHINE, in the order tried; the first that
    // opens is the only one used.
    std::vector<std::string> registryKeys;
    // Environment variable naming the home folder where there is no
    // registry (Linux: JAVA_HOME); empty for the Windows profiles.
    std::string homeVariable;
    // Appended to the home folder.
    std::string binSuffix;
    std::string runtimeLibSuffix;
    std::string classLibSuffix;
    // Registry value that replaces the derived library path ("" for none).
    std::string runtimeLibValue;
    // The home must pass the writable-folder probe.
    bool probesHome = true;
    // The four discovery lines go to the diagnostic log.
    bool logsDiscovery = false;
    // PATH is rewritten before the library is loaded.
    bool rewritesPath = true;
    // Loading when a library path is configured: the JDK 1.1 launcher tries
    // the discovered path even when empty; the JDK 1.2 launcher shows the
    // registry message when nothing was discovered.
    bool configuredPathTriesEmptyDiscovery = false;
    std::string bareLibraryName;
    std::string registryCaption;
    std::string registryText;
    std::string notFoundText;
    std::string notFoundCaption;
    // Name of the library in the missing-entry-point message.
    std::string entryPointText;
};

const RuntimeProfile& jdk11Profile();
const RuntimeProfile& jdk12Profile();
// The Linux launcher: the home comes from JAVA_HOME, the library is
// lib/server/libjvm.so, a modern runtime has no separate class library,
// PATH is left alone.
const RuntimeProfile& linuxJvmProfile();
