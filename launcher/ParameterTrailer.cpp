// The one reader of the parameter trailer.
#include "launcher/ParameterTrailer.h"

#include <stdint.h>


Text readParameterTrailer(const Text& exePath) {
    platform::File file = platform::File::open(exePath.c_str(), platform::File::Mode::ReadShared);
    return readParameterTrailer(file);
}

Text readParameterTrailer(platform::File& file) {
    uint64_t size = 0;
    if (!file.isOpen() || !file.size(size) || size < 4) return Text();

    unsigned char word[4];
    if (!file.seek(size - 4) || !file.readExact(word, sizeof word)) return Text();
    const uint64_t length = static_cast<uint64_t>(word[0]) | (static_cast<uint64_t>(word[1]) << 8) |
                            (static_cast<uint64_t>(word[2]) << 16) | (static_cast<uint64_t>(word[3]) << 24);
    // The block must lie wholly inside the file, before the length word.
    if (length == 0 || length > size - 4) return Text();

    // A block that cannot be allocated reads like a missing one.
    Text block;
    if (static_cast<uint64_t>(static_cast<size_t>(length)) != length || !block.tryResize(static_cast<size_t>(length)))
        return Text();
    if (!file.seek(size - 4 - length) || !file.readExact(block.data(), block.size())) return Text();
    size_t nul = block.find('\0');
    if (nul != Text::npos) block.resize(nul);
    return block;
}
