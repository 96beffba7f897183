#pragma once
// The project file's record as plain values, and the one routine that
// writes it and the one that reads it. Field order and widths are the
// file format; nothing here touches files, dialogs or icon images.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "builder/engine/ExtendedSettings.h"

struct ProjectRecord {
    std::int32_t reserved = 0;
    std::int32_t projectVersion = 0;
    std::string exeName;
    std::string exeFolder;
    bool userDefinedVm = false;
    std::string vmLibraryPath;
    std::string mainClass;
    std::string arguments;
    std::vector<std::string> classPath;
    std::vector<std::string> properties;
    std::vector<std::string> environment;
    std::int32_t classPathMode = 0;
    std::int32_t verifyOption = 0;
    bool asyncGcEnabled = false;
    bool classGcEnabled = false;
    bool jitEnabled = false;
    bool consoleWindow = false;
    bool routeConsole = false;
    std::uint32_t minHeap = 0;
    std::uint32_t maxHeap = 0;
    std::uint32_t maxNativeStack = 0;
    std::uint32_t maxJavaStack = 0;
    bool versionInfoEnabled = false;
    std::int16_t fileVersion[4] = {0, 0, 0, 0};
    std::int16_t productVersion[4] = {0, 0, 0, 0};
    std::string companyName;
    std::string legalCopyright;
    std::string legalTrademarks;
    std::string comments;
    std::string largeIconPath;
    std::string smallIconPath;
    // Stored in the extension after the last field (ProjectExtension.h).
    ExtendedSettings extended;
};

// Strings: 32-bit length + bytes; lists: 32-bit count + strings;
// booleans one byte; all numbers little-endian; then the extension, when
// a setting beyond the last field is not at its default.
std::string encodeProjectRecord(const ProjectRecord& record);

// Reads a record from untrusted bytes. A string keeps its text up to the
// first zero byte; a list takes a count of 0 or less as empty and skips
// empty entries (length 0, or a zero byte first); any boolean byte other
// than 0 is true. nullopt when the bytes end early or a length or count
// cannot fit in what remains. Bytes after the last field are the
// extension, read as strictly (ProjectExtension.h): damage there fails too.
std::optional<ProjectRecord> decodeProjectRecord(const std::string& bytes);
