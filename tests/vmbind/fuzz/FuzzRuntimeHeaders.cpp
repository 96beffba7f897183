// libFuzzer target: the readers of what the runtime search finds on disk
// and in the registry (PE and ELF headers, release files, version texts),
// on arbitrary bytes.
#include <stddef.h>
#include <stdint.h>

#include <string>

#include "vmbind/JavaVersion.h"
#include "vmbind/LibraryHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Machine found{0, 0};
    uint32_t ntOffset = 0;
    if (readDosHeader(data, size < 64 ? size : 64, ntOffset) == LibraryVerdict::Loadable && ntOffset < size) {
        const size_t rest = size - ntOffset;
        readPeHeader(data + ntOffset, rest < kPeHeadersRead ? rest : kPeHeadersRead, ntOffset, size, found);
    }
    readElfHeader(data, size < 64 ? size : 64, size, found);
    Text version;
    const char* problem = nullptr;
    releaseFileVersion(reinterpret_cast<const char*>(data), size, version, problem);
    const std::string text(reinterpret_cast<const char*>(data), size);
    parseJavaVersion(text.c_str());
    return 0;
}
