#pragma once
// What the JDK 1.1 and JDK 1.2 launchers (and the Linux launcher) differ in
// when they find and load a runtime: registry keys, derived paths, the bare
// library name and the texts of their messages.

struct RuntimeProfile {
    // Keys under HKEY_LOCAL_MACHINE, in the order tried (null-terminated);
    // the first that opens is the only one used.
    const char* const* registryKeys;
    // Environment variable naming the home folder where there is no
    // registry (Linux: JAVA_HOME); null for the Windows profiles.
    const char* homeVariable;
    // Appended to the home folder.
    const char* binSuffix;
    const char* runtimeLibSuffix;
    const char* classLibSuffix;  // "" for none
    // Registry value that replaces the derived library path ("" for none).
    const char* runtimeLibValue;
    // The home must pass the writable-folder probe.
    bool probesHome;
    // The four discovery lines go to the diagnostic log.
    bool logsDiscovery;
    // PATH is rewritten before the library is loaded.
    bool rewritesPath;
    // Loading when a library path is configured: the JDK 1.1 launcher tries
    // the discovered path even when empty; the JDK 1.2 launcher shows the
    // registry message when nothing was discovered.
    bool configuredPathTriesEmptyDiscovery;
    const char* bareLibraryName;
    const char* registryCaption;
    const char* registryText;
    const char* notFoundText;
    const char* notFoundCaption;
    // The missing-entry-point message.
    const char* entryPointText;
};

const RuntimeProfile& jdk11Profile();
const RuntimeProfile& jdk12Profile();
// The Linux launcher: the home comes from JAVA_HOME, the library is
// lib/server/libjvm.so, a modern runtime has no separate class library,
// PATH is left alone.
const RuntimeProfile& linuxJvmProfile();
