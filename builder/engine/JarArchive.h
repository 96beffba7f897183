#pragma once
// A jar (a zip archive) as the compile needs it before appending it to an
// executable: where the archive's end record is, how many bytes follow
// it, and the bytes of its manifest (META-INF/MANIFEST.MF), inflated with
// zlib. Every offset and size is checked against the bytes it points into
// before it is used; data in front of the archive (as in an executable
// that already carries one) is allowed, as Java's zip reader allows it.

#include <cstdint>
#include <string>

struct JarContents {
    std::uint64_t endRecordOffset = 0;  // of the end record in the bytes read
    // Bytes after the 22-byte end record: its comment and anything else.
    std::uint64_t bytesAfterEnd = 0;
    std::uint32_t entries = 0;
    bool hasManifest = false;
    std::string manifest;  // its bytes, as stored in the jar before compression
};

// False with a one-line reason in `error` when the bytes are not a zip
// archive, are cut short, or hold a manifest that cannot be read.
bool readJar(const std::string& bytes, JarContents& contents, std::string& error);

// The largest manifest the compile inflates (signed jars list a digest
// per entry, so manifests of large jars run to megabytes).
constexpr std::uint32_t kMaxJarManifestSize = 16u << 20;
