#pragma once
// File operations of the builder and the command-line builder.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Files.h"

namespace platform {

inline File openFile(const std::string& path, File::Mode mode) { return File::open(path.c_str(), mode); }
// The size of an open file; nullopt on failure.
inline std::optional<std::uint64_t> fileSize(const File& file) {
    std::uint64_t bytes = 0;
    if (!file.size(bytes)) return std::nullopt;
    return bytes;
}

bool deleteFile(const std::string& path);
inline bool fileExists(const std::string& path) { return fileExists(path.c_str()); }
// Replaces `target` by `source` (MoveFileExA with MOVEFILE_REPLACE_EXISTING
// / rename). Where MoveFileExA is not implemented (Windows 95 and 98) the
// old file is renamed to `target` + ".replaced" until the new one is in
// place, so a failure never loses it.
bool replaceFile(const std::string& source, const std::string& target);
// The system's text for the last failure of a platform call (FormatMessageA
// from the system table, neutral language / strerror).
std::string lastErrorText();
// Makes one folder (mkdir / CreateDirectoryA); false on failure.
bool makeFolder(const std::string& path);
// Makes `folder` and every folder above it that is missing. False, with
// `failed` naming the first folder that could not be made (lastErrorText()
// says why).
bool makeFolders(const std::string& folder, std::string& failed);
// Reads a whole file of at most maxSize bytes; nullopt on failure or when larger.
std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxSize);

}  // namespace platform
