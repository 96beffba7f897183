#include "builder/engine/PeTimeStamp.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ByteReader.h"
#include "platform/FileSystem.h"

namespace {

// The DOS header's e_lfanew; from the "PE\0\0" signature the COFF
// header's TimeDateStamp (4 + 4) and the optional header (4 + 20), whose
// CheckSum lies 64 bytes in, in both PE32 and PE32+.
constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::size_t kTimeStampField = 8;
constexpr std::size_t kOptionalHeader = 24;
constexpr std::size_t kChecksumInOptionalHeader = 64;
constexpr std::size_t kChunk = 1u << 16;  // even: words never straddle two pieces

bool failure(std::string& error, std::string reason) {
    error = std::move(reason);
    return false;
}

void put32(unsigned char* out, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}

// The file's PE checksum (peChecksum), read a piece at a time with the
// four bytes at `checksumAt` counted as zero.
bool streamedChecksum(platform::File& file, std::uint64_t size, std::uint64_t checksumAt, std::uint32_t& checksum,
                      std::string& error) {
    std::string piece(kChunk, '\0');
    std::uint64_t sum = 0;
    if (!file.seek(0)) return failure(error, platform::lastErrorText());
    for (std::uint64_t at = 0; at < size; at += kChunk) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - at));
        if (!file.readExact(piece.data(), n)) return failure(error, "the file was cut short while it was read");
        for (std::size_t i = 0; i < n; i += 2) {
            std::uint32_t word = static_cast<unsigned char>(piece[i]);
            if (i + 1 < n) word |= static_cast<std::uint32_t>(static_cast<unsigned char>(piece[i + 1])) << 8;
            if (at + i >= checksumAt && at + i < checksumAt + 4) word = 0;
            sum += word;
            sum = (sum & 0xFFFF) + (sum >> 16);
        }
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    checksum = static_cast<std::uint32_t>(sum + size);
    return true;
}

bool writeAt(platform::File& file, std::uint64_t at, std::uint32_t value, std::string& error) {
    unsigned char bytes[4];
    put32(bytes, value);
    return (file.seek(at) && file.write(bytes, sizeof bytes)) || failure(error, platform::lastErrorText());
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

bool stampPeHeader(const std::string& path, std::optional<std::uint32_t> time, std::string& error) {
    platform::File file = platform::openFile(path, platform::File::Mode::Locked);
    std::uint64_t size = 0;
    if (!file.isOpen() || !file.size(size)) return failure(error, platform::lastErrorText());
    unsigned char dos[kDosHeaderSize] = {};
    const long long got = file.read(dos, sizeof dos);
    if (got < 0) return failure(error, platform::lastErrorText());
    if (got < 2 || dos[0] != 'M' || dos[1] != 'Z') return true;
    ByteReader dosReader(dos, static_cast<std::size_t>(got));
    dosReader.seek(kPeOffsetField);
    const std::uint64_t pe = dosReader.u32();
    unsigned char headers[kOptionalHeader + kChecksumInOptionalHeader + 4] = {};
    if (!dosReader.ok() || !file.seek(pe) || !file.readExact(headers, sizeof headers))
        return failure(error, "the PE headers are cut short");
    ByteReader in(headers, sizeof headers);
    const std::uint32_t signature = in.u32();
    in.seek(kOptionalHeader - 4);
    const std::uint16_t optionalSize = in.u16();
    if (signature != 0x00004550 || optionalSize < kChecksumInOptionalHeader + 4)
        return failure(error, "no PE header with a checksum field");
    const std::uint64_t checksumAt = pe + kOptionalHeader + kChecksumInOptionalHeader;
    std::uint32_t checksum = 0;
    if ((time && !writeAt(file, pe + kTimeStampField, *time, error)) ||
        !streamedChecksum(file, size, checksumAt, checksum, error) || !writeAt(file, checksumAt, checksum, error))
        return false;
    return file.close() || failure(error, platform::lastErrorText());
}
