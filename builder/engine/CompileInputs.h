#pragma once
// The files a compile reads besides the stub, read and checked before
// anything is written: the project's application manifest, the jar to
// embed and the splash image (named relative to the project file's
// folder), and the main class the block names (the project's, else the
// jar manifest's).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "builder/engine/Project.h"

struct CompileInputs {
    std::string mainClass;
    std::optional<std::string> manifest;  // the project manifest's bytes
    std::string jar;                      // the jar's bytes; empty: none
    std::uint64_t jarBytesAfterEnd = 0;   // after its archive's end record
    std::string splash;                   // the splash image's bytes; empty: none
    std::vector<std::string> notices;     // what the compile took, and why
};

// The largest project manifest and embedded jar a compile takes.
constexpr std::uint64_t kMaxManifestSize = 64u << 10;
constexpr std::uint64_t kMaxEmbeddedJarSize = 256u << 20;

// Java's zip reader finds an archive's end record only within the last
// 64 KB - 1 + 22 bytes of a file.
constexpr std::uint64_t kMaxBytesAfterArchiveEnd = 0xFFFF;
// Kept free after the archive of a Windows executable for the signature
// added to it later.
constexpr std::uint64_t kSignatureRoom = 16u << 10;

// A project-relative path as a path for the file functions.
std::string projectFilePath(const Project& project, const std::string& path);

// Reads and checks the manifest, the jar and the splash image; false with a message naming
// the file and the problem.
bool readCompileInputs(const Project& project, CompileInputs& inputs, std::string& error);

// The message refusing a jar whose archive end would end up too far from
// the end of the file: `trailerSize` bytes follow the jar, and `signable`
// files keep room for a signature. nullopt when it fits.
std::optional<std::string> archiveTailProblem(const Project& project, const CompileInputs& inputs,
                                              std::uint64_t trailerSize, bool signable);
