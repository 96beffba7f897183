#pragma once
// The settings a project holds beyond its original record. Each is off or
// empty by default, and the default means "as before": a project that uses
// none of them is stored, compiled and started exactly as one without them.
// SettingTable.h lists each once, with its record tag, block keyword and
// command-line option.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Which folder a launched program starts in.
enum class WorkingFolder : std::uint32_t { Executable = 0, Caller = 1 };

// The bits of ExtendedSettings::runtimeHeap: which of the project's heap
// sizes are left to the runtime (a JDK 2.0 launcher then passes no -Xms or
// -Xmx, and the runtime sizes the heap by the machine's memory).
enum RuntimeHeap : std::uint32_t { kRuntimeMinHeap = 1, kRuntimeMaxHeap = 2 };

// Every setting, as X(type, field): the fields of ExtendedSettings, each
// value-initialized (off, 0 or empty). Equality compares each, and
// SettingTable.cpp does not compile while its table lacks a row for one.
#define CASKIT_EXTENDED_SETTINGS(X)                                                                     \
    /* VM options passed as they are, after the fixed options and properties. */                        \
    X(std::vector<std::string>, jvmOptions)                                                             \
    /* Lowest and highest Java version the program runs on ("17", "1.8", "21.0.2"); empty: none. */     \
    X(std::string, javaMinVersion)                                                                      \
    X(std::string, javaMaxVersion)                                                                      \
    X(std::string, downloadUrl)    /* where to get a suitable Java, offered when none is found */       \
    X(bool, consoleProgram)        /* the console-subsystem launcher instead of the windowless one */   \
    X(std::string, manifestPath)   /* an application manifest file replacing the stub's own */          \
    X(std::string, embeddedJar)    /* a jar appended to the executable, first on its class path */      \
    X(bool, startupCache)          /* the launcher keeps a start-up cache of the program's classes */   \
    X(std::uint32_t, workingFolder) /* a WorkingFolder */                                               \
    /* "FileDescription" and "ProductName" of the version block; empty keeps the usual texts. */        \
    X(std::string, fileDescription)                                                                     \
    X(std::string, productName)                                                                         \
    /* The ANSI code page of the project's text when recorded; 0: none was (the system's, or 1252). */  \
    X(std::uint32_t, codePage)                                                                          \
    /* The heap sizes the runtime chooses itself (no -Xms, -Xmx): RuntimeHeap bits; 0: both set. */     \
    X(std::uint32_t, runtimeHeap)                                                                       \
    X(std::uint32_t, restartExitCode) /* System.exit(this) starts the program again; 0: never */    \
    X(bool, singleInstance)          /* a later start hands its folder and arguments to the first */  \
    X(std::string, instanceId)       /* the instance's name; empty: the executable's path */          \
    X(std::string, instanceHandler)  /* CLASS.METHOD that takes the hand-overs; empty: none */   \
    X(std::string, splashImage)      /* PNG, GIF or JPEG shown before Java loads, stored inside */    \
    X(std::uint32_t, splashTimeout)  /* seconds the splash stays at most; 0: until a window shows */

struct ExtendedSettings {
#define CASKIT_SETTING_FIELD(type, field) type field{};
    CASKIT_EXTENDED_SETTINGS(CASKIT_SETTING_FIELD)
#undef CASKIT_SETTING_FIELD
    // Records of a later Caskit, by tag, kept and written back unchanged so
    // that a newer project survives an older editor.
    std::map<std::uint32_t, std::string> unknownRecords;

    bool operator==(const ExtendedSettings& other) const;
    bool operator!=(const ExtendedSettings& other) const { return !(*this == other); }
};
