// The one reader of the parameter trailer. In a signed executable the
// certificate table follows the trailer, so the trailer is looked for
// before the table rather than at the end of the file.
#include "launcher/ParameterTrailer.h"

#include <stdint.h>

#include "platform/ByteReader.h"

namespace {

constexpr uint16_t kDosMagic = 0x5A4D;         // "MZ"
constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
// Enough for the DOS header, the PE headers and the section table of
// every stub.
constexpr size_t kHeadSize = 4096;
// Signing tools pad the file with up to 7 zero bytes so that the
// certificate table starts on an 8-byte boundary.
constexpr unsigned kMaxAlignment = 7;
constexpr size_t kTailSize = 4 + kMaxAlignment;

// Where the trailer may end. In a signed PE file (security data directory
// set) the certificate table follows the trailer, so `end` is the table's
// offset, the trailer ending up to 7 zero bytes before it, and starting
// where the sections' data ends (`imageEnd`, 0 when unknown).
struct TrailerLimit {
    uint64_t end = 0;
    uint64_t imageEnd = 0;
    bool beforeCertificates = false;
};

// From the file size and the file's first bytes alone.
TrailerLimit trailerLimit(uint64_t fileSize, const unsigned char* head, size_t headSize) {
    TrailerLimit limit;
    limit.end = fileSize;
    ByteReader in(head, headSize);
    if (in.u16() != kDosMagic || !in.seek(0x3C)) return limit;
    const uint32_t peOffset = in.u32();
    if (!in.seek(peOffset) || in.u32() != kPeSignature) return limit;
    in.skip(2);  // machine
    const unsigned sections = in.u16();
    in.skip(12);  // time stamp, symbol table, symbol count
    const size_t optionalSize = in.u16();
    in.skip(2);  // characteristics
    const size_t optional = in.offset();
    const uint16_t magic = in.u16();
    if (!in.ok() || (magic != 0x10B && magic != 0x20B)) return limit;
    const size_t countField = magic == 0x20B ? 108 : 92;
    const size_t certificateEntry = countField + 4 + 4 * 8;  // data directory 4
    if (optionalSize < certificateEntry + 8 || !in.seek(optional + countField) || in.u32() <= 4) return limit;
    in.seek(optional + certificateEntry);
    const uint64_t tableOffset = in.u32();
    const uint64_t tableSize = in.u32();
    if (!in.ok() || tableOffset == 0 || tableSize == 0 || tableOffset > fileSize || tableSize > fileSize - tableOffset)
        return limit;

    uint64_t imageEnd = 0;
    in.seek(optional + optionalSize);
    for (unsigned i = 0; i < sections && in.ok(); ++i) {
        in.skip(16);  // name, virtual size, virtual address
        const uint64_t rawSize = in.u32();
        const uint64_t rawPointer = in.u32();
        in.skip(16);
        if (rawSize != 0 && rawPointer + rawSize > imageEnd) imageEnd = rawPointer + rawSize;
    }
    limit.end = tableOffset;
    limit.imageEnd = in.ok() && imageEnd <= tableOffset ? imageEnd : 0;
    limit.beforeCertificates = true;
    return limit;
}

// The end of the trailer (just after its length word), given the last
// `tailSize` bytes (at most kTailSize) before limit.end; 0 when no trailer
// fits. Before a certificate table only zero bytes may be skipped, and the
// length word must say that the block starts where the stub file ended:
// at the image's end, or after the 4 zero bytes (the empty trailer) that
// an unconfigured stub carries there. Zero bytes of the length word
// itself could otherwise pass for alignment.
uint64_t trailerEnd(const TrailerLimit& limit, const unsigned char* tail, size_t tailSize) {
    if (!limit.beforeCertificates) return limit.end;
    for (size_t pad = 0; pad <= kMaxAlignment && pad + 4 <= tailSize; ++pad) {
        if (pad > 0 && tail[tailSize - pad] != 0) break;
        ByteReader word(tail + tailSize - pad - 4, 4);
        const uint64_t length = word.u32();
        const uint64_t end = limit.end - pad;
        if (length == 0 || length > end - 4) continue;
        const uint64_t start = end - 4 - length;
        if (limit.imageEnd != 0 && start != limit.imageEnd && start != limit.imageEnd + 4) continue;
        return end;
    }
    return 0;
}

}  // namespace

Text readParameterTrailer(const Text& exePath) {
    platform::File file = platform::File::open(exePath.c_str(), platform::File::Mode::ReadShared);
    return readParameterTrailer(file);
}

Text readParameterTrailer(platform::File& file) {
    uint64_t size = 0;
    if (!file.isOpen() || !file.size(size) || size < 4) return Text();

    unsigned char head[kHeadSize];
    const size_t headSize = static_cast<size_t>(size < sizeof head ? size : sizeof head);
    if (!file.seek(0) || !file.readExact(head, headSize)) return Text();
    const TrailerLimit limit = trailerLimit(size, head, headSize);
    unsigned char tail[kTailSize];
    const size_t tailSize = static_cast<size_t>(limit.end < sizeof tail ? limit.end : sizeof tail);
    if (!file.seek(limit.end - tailSize) || !file.readExact(tail, tailSize)) return Text();
    const uint64_t end = trailerEnd(limit, tail, tailSize);
    if (end < 4) return Text();

    unsigned char word[4];
    if (!file.seek(end - 4) || !file.readExact(word, sizeof word)) return Text();
    ByteReader reader(word, sizeof word);
    const uint64_t length = reader.u32();
    // The block must lie wholly inside the file, before the length word.
    if (length == 0 || length > end - 4) return Text();

    // A block that cannot be allocated reads like a missing one.
    Text block;
    if (static_cast<uint64_t>(static_cast<size_t>(length)) != length || !block.tryResize(static_cast<size_t>(length)))
        return Text();
    if (!file.seek(end - 4 - length) || !file.readExact(block.data(), block.size())) return Text();
    size_t nul = block.find('\0');
    if (nul != Text::npos) block.resize(nul);
    return block;
}
