// Feeds arbitrary bytes to the project-file reader. A record that reads
// must write back to bytes that read to the same record.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "builder/engine/ProjectRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::optional<ProjectRecord> record = decodeProjectRecord(bytes);
    if (!record) return 0;
    std::string written = encodeProjectRecord(*record);
    std::optional<ProjectRecord> again = decodeProjectRecord(written);
    if (!again || encodeProjectRecord(*again) != written) std::abort();
    return 0;
}
