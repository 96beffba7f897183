#include "builder/engine/PngImage.h"

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kSignatureSize = 8;
constexpr std::uint32_t kHeaderChunkSize = 13;
constexpr std::uint32_t kMaxDimension = 65535;

// PNG numbers are big-endian; the caller has checked that 4 bytes remain.
std::uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// Bits per pixel for a colour type and bit depth, or 0 for a pair PNG
// does not allow.
std::uint32_t pixelBits(unsigned colourType, unsigned depth) {
    switch (colourType) {
    case 0: return (depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16) ? depth : 0;
    case 3: return (depth == 1 || depth == 2 || depth == 4 || depth == 8) ? depth : 0;
    case 2: return (depth == 8 || depth == 16) ? 3 * depth : 0;
    case 4: return (depth == 8 || depth == 16) ? 2 * depth : 0;
    case 6: return (depth == 8 || depth == 16) ? 4 * depth : 0;
    default: return 0;
    }
}

}  // namespace

bool startsAsPng(const std::string& bytes) { return bytes.compare(0, kSignatureSize, kSignature, kSignatureSize) == 0; }

std::optional<PngHeader> readPngHeader(const std::string& bytes) {
    if (!startsAsPng(bytes)) return std::nullopt;
    PngHeader header;
    std::size_t at = kSignatureSize;
    bool first = true;
    for (;;) {
        // Length, type, data, CRC: 12 bytes besides the data.
        if (bytes.size() - at < 12) return std::nullopt;
        const std::uint32_t length = bigEndian32(bytes, at);
        const std::string type = bytes.substr(at + 4, 4);
        if (length > bytes.size() - at - 12) return std::nullopt;
        const std::size_t data = at + 8;
        if (first) {
            if (type != "IHDR" || length != kHeaderChunkSize) return std::nullopt;
            header.width = bigEndian32(bytes, data);
            header.height = bigEndian32(bytes, data + 4);
            const unsigned depth = static_cast<unsigned char>(bytes[data + 8]);
            const unsigned colourType = static_cast<unsigned char>(bytes[data + 9]);
            header.bitsPerPixel = pixelBits(colourType, depth);
            if (header.width < 1 || header.width > kMaxDimension || header.height < 1 ||
                header.height > kMaxDimension || header.bitsPerPixel == 0)
                return std::nullopt;
            first = false;
        }
        at = data + length + 4;
        if (type == "IEND") return header;
    }
}
