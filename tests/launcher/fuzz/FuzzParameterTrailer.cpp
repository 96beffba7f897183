// Fuzzes the trailer reader on a real file: the block it returns must be
// exactly the bytes the length word names, cut at the first NUL, or
// nothing when the length does not fit. A file that starts like a PE image
// may carry a certificate table after its trailer, so only the bounds are
// checked there.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "launcher/ParameterTrailer.h"
#include "tests/fuzz/ScratchFile.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void fuzzTrailer(const uint8_t* data, size_t size) {
    static const std::string path = fuzzScratchPath("trailer");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
    const Text block = readParameterTrailer(Text(path.c_str()));
    check(block.size() + 4 <= size || block.empty());
    check(block.find('\0') == Text::npos);
    const bool maybeSigned = size >= 2 && data[0] == 'M' && data[1] == 'Z';
    if (size >= 4 && !maybeSigned) {
        std::uint32_t length = static_cast<std::uint32_t>(data[size - 4]) | (data[size - 3] << 8) |
                               (data[size - 2] << 16) | (static_cast<std::uint32_t>(data[size - 1]) << 24);
        if (length != 0 && length <= size - 4) {
            std::string expected(reinterpret_cast<const char*>(data) + (size - 4 - length), length);
            check(block == Text(expected.substr(0, expected.find('\0')).c_str()));
        } else {
            check(block.empty());
        }
    }
    std::remove(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzTrailer(data, size);
    return 0;
}
