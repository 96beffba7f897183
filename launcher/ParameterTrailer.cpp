// The one reader and the one writer of the parameter trailer.
#include "launcher/ParameterTrailer.h"

#include <cstdint>
#include <new>
#include <stdexcept>

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "platform/Files.h"

std::string readParameterTrailer(const std::string& exePath) {
    platform::File file = platform::File::open(exePath, platform::File::Mode::ReadShared);
    if (!file.isOpen()) return std::string();
    std::optional<std::uint64_t> size = file.size();
    if (!size || *size < 4) return std::string();

    unsigned char word[4];
    if (!file.seek(*size - 4) || !file.readExact(word, sizeof word)) return std::string();
    ByteReader reader(word, sizeof word);
    const std::uint64_t length = reader.u32();
    // The block must lie wholly inside the file, before the length word.
    if (length == 0 || length > *size - 4) return std::string();

    std::string block;
    try {
        block.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        return std::string();
    } catch (const std::length_error&) {
        return std::string();
    }
    if (!file.seek(*size - 4 - length) || !file.readExact(block.data(), block.size())) return std::string();
    std::size_t nul = block.find('\0');
    if (nul != std::string::npos) block.resize(nul);
    return block;
}

std::string encodeParameterTrailer(const std::string& block) {
    ByteWriter writer;
    writer.bytes(block);
    writer.u32(static_cast<std::uint32_t>(block.size()));
    return writer.take();
}
