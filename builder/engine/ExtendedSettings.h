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

struct ExtendedSettings {
    // VM options passed as they are, after the fixed options and properties.
    std::vector<std::string> jvmOptions;
    // Lowest and highest Java version the program runs on ("17", "1.8",
    // "21.0.2"); empty means no bound.
    std::string javaMinVersion;
    std::string javaMaxVersion;
    // Where to get a suitable Java, offered when none is found.
    std::string downloadUrl;
    // The console-subsystem launcher instead of the windowless one.
    bool consoleProgram = false;
    // An application manifest file replacing the stub's own.
    std::string manifestPath;
    // A jar appended to the executable and put first on its class path.
    std::string embeddedJar;
    // The launcher keeps a start-up cache of the program's classes.
    bool startupCache = false;
    std::uint32_t workingFolder = 0;  // a WorkingFolder
    // "FileDescription" and "ProductName" of the version block; empty keeps
    // the texts the compile has always written.
    std::string fileDescription;
    std::string productName;
    // The ANSI code page of the project's text when it was recorded; 0 when
    // none was (the system's, or 1252).
    std::uint32_t codePage = 0;
    // Records of a later Caskit, by tag, kept and written back unchanged so
    // that a newer project survives an older editor.
    std::map<std::uint32_t, std::string> unknownRecords;

    bool operator==(const ExtendedSettings& other) const;
    bool operator!=(const ExtendedSettings& other) const { return !(*this == other); }
};
