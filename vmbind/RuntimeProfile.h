#pragma once
// What the JDK 1.1 and JDK 1.2 launchers (and the Linux launcher) differ in
// when they find and load a runtime: registry keys, derived paths, the bare
// library name, the texts of their messages, and where the search for an
// installed runtime fits into the loading.

// Where a launcher searches for installed runtimes (vmbind/RuntimeSearch.h).
enum class RuntimeSearchPlace {
    None,           // the JDK 1.1 launcher: the registered runtime only
    AfterTable,     // Windows JDK 1.2: when the loading table found nothing
    BeforeBareName  // Linux: in place of a registered runtime
};

struct RuntimeProfile {
    // Keys under HKEY_LOCAL_MACHINE, in the order tried (null-terminated);
    // the first that opens is the only one used.
    const char* const* registryKeys;
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
    RuntimeSearchPlace search;
    // Where a runtime's home keeps its VM library, in order of preference
    // (null-terminated; none without a search).
    const char* const* libraryLayouts;
};

const RuntimeProfile& jdk11Profile();
const RuntimeProfile& jdk12Profile();
// The Linux launcher: no registry; the search finds the runtime, a modern
// runtime has no separate class library, PATH is left alone.
const RuntimeProfile& linuxJvmProfile();
