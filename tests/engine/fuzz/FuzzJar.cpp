// Feeds arbitrary bytes to the jar reader and, when it finds a manifest, to
// the manifest reader: neither may read outside its bytes, and a manifest
// the jar reader returns has the size its directory gave.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "builder/engine/JarArchive.h"
#include "builder/engine/JarManifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    JarContents contents;
    std::string error, mainClass;
    if (readJar(bytes, contents, error)) {
        if (contents.endRecordOffset + 22 + contents.bytesAfterEnd != size) std::abort();
        if (contents.hasManifest) manifestMainClass(contents.manifest, mainClass, error);
    } else if (error.empty()) {
        std::abort();
    }
    // The bytes as a manifest text of their own.
    if (!manifestMainClass(bytes, mainClass, error) && error.empty()) std::abort();
    return 0;
}
