#include "builder/engine/PeTimeStamp.h"

#include <cstdlib>

#include "builder/engine/PeImage.h"
#include "platform/ByteReader.h"

namespace {

// Offsets from the start of the optional header (PeImage::optionalHeaderOffset):
// the COFF header's TimeDateStamp lies 16 bytes before it (the COFF header
// is 20 bytes long, the field at its offset 4), CheckSum 64 bytes into it
// in both PE32 and PE32+.
constexpr std::size_t kTimeStampBeforeOptionalHeader = 16;
constexpr std::size_t kChecksumInOptionalHeader = 64;

void put32(std::string& out, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::optional<std::uint32_t> sourceDateEpoch(std::string& error) {
    const char* value = std::getenv("SOURCE_DATE_EPOCH");
    if (!value || !*value) return std::nullopt;
    std::uint64_t seconds = 0;
    for (const char* p = value; *p; ++p) {
        if (*p < '0' || *p > '9' || seconds > 0xFFFFFFFFu) {
            seconds = 0x100000000u;
            break;
        }
        seconds = seconds * 10 + static_cast<unsigned>(*p - '0');
    }
    if (seconds > 0xFFFFFFFFu) {
        error = std::string("SOURCE_DATE_EPOCH is \"") + value +
                "\", not a number of seconds since 1970 before the year 2106";
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(seconds);
}

bool setPeTimeStamp(std::string& file, std::uint32_t time, std::string& error) {
    PeImage image;
    if (!readPeImage(file, image, error)) return false;
    const std::size_t optional = image.optionalHeaderOffset;
    put32(file, optional - kTimeStampBeforeOptionalHeader, time);
    const std::size_t checksumAt = optional + kChecksumInOptionalHeader;
    ByteReader in(file.data(), file.size());
    in.seek(checksumAt);
    const std::uint32_t checksum = in.u32();
    if (!in.ok()) {
        error = "the optional header is cut short";
        return false;
    }
    if (checksum != 0) put32(file, checksumAt, peChecksum(file, checksumAt));
    return true;
}
