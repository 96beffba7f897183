#include "builder/engine/BitmapFile.h"

#include <algorithm>
#include <new>
#include <string>

#include "builder/engine/DibLayout.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint16_t kBitmapType = 0x4D42;  // "BM"
constexpr std::uint32_t kOs2HeaderSize = 12;
// BITMAPINFOHEADER (40), with the three or four channel masks (52, 56),
// BITMAPV4HEADER (108) and BITMAPV5HEADER (124): the first 40 bytes mean the
// same in all; the rest is masks and colour-space information.
constexpr std::uint32_t kInfoHeaderSizes[] = {40, 52, 56, 108, 124};
constexpr std::size_t kLargestInfoHeader = 124;
constexpr std::uint32_t kBiBitFields = 3;
constexpr std::size_t kMaskBytes = 12;  // red, green, blue

struct BitmapFileHeader {
    std::uint16_t type = 0;
    std::uint32_t size = 0;
    std::uint16_t reserved1 = 0;
    std::uint16_t reserved2 = 0;
    std::uint32_t bitsOffset = 0;
};

BitmapFileHeader parseFileHeader(const unsigned char (&bytes)[kFileHeaderSize]) {
    ByteReader in(bytes, sizeof bytes);
    BitmapFileHeader h;
    h.type = in.u16();
    h.size = in.u32();
    h.reserved1 = in.u16();
    h.reserved2 = in.u16();
    h.bitsOffset = in.u32();
    return h;
}

struct ChannelMasks {
    std::uint32_t red = 0, green = 0, blue = 0;
};

ChannelMasks readMasks(const unsigned char* bytes) {
    ByteReader in(bytes, kMaskBytes);
    ChannelMasks m;
    m.red = in.u32();
    m.green = in.u32();
    m.blue = in.u32();
    return m;
}

std::optional<std::string> fail(std::string& error, const std::string& text) {
    error = text;
    return std::nullopt;
}

bool knownHeaderSize(std::uint32_t size) {
    for (std::uint32_t known : kInfoHeaderSizes)
        if (size == known) return true;
    return false;
}

bool geometryAccepted(const DibHeader& h) {
    const std::uint64_t bits = dibBitsPerPixel(h);
    return h.width >= 1 && h.width <= kMaxDibDimension && h.height >= 1 && h.height <= kMaxDibDimension &&
           bits >= 1 && bits <= 32;
}

// The channel a mask selects, scaled to 0..255.
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    unsigned shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    const std::uint64_t top = mask >> shift;
    const std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>((value * 255 + top / 2) / top);
}

// 16- or 32-bit pixels laid out by channel masks, as plain 32-bit pixels
// (blue, green, red, 0), which every later step reads.
std::string unpackBitFields(const std::string& pixels, const DibHeader& h, const ChannelMasks& masks) {
    const std::size_t rowBytes = static_cast<std::size_t>(dibRowBytes(h));
    const std::size_t pixelBytes = h.bitCount / 8;
    ByteWriter out;
    for (std::int32_t y = 0; y < h.height; ++y) {
        ByteReader row(pixels.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
        for (std::int32_t x = 0; x < h.width; ++x) {
            const std::uint32_t pixel = pixelBytes == 2 ? row.u16() : row.u32();
            out.u8(channel(pixel, masks.blue));
            out.u8(channel(pixel, masks.green));
            out.u8(channel(pixel, masks.red));
            out.u8(0);
        }
    }
    return out.take();
}

}  // namespace

std::optional<std::string> readBitmapFile(const std::string& path, std::string& error) {
    platform::File file = platform::openFile(path, platform::File::Mode::ReadExclusive);
    if (!file.isOpen()) return fail(error, "Error opening file");
    const std::uint64_t fileSize = platform::fileSize(file).value_or(0);

    unsigned char fileHeaderBytes[kFileHeaderSize];
    if (!file.readExact(fileHeaderBytes, sizeof fileHeaderBytes)) return fail(error, "Error reading file");
    const BitmapFileHeader fileHeader = parseFileHeader(fileHeaderBytes);
    if (fileHeader.type != kBitmapType || fileHeader.reserved1 != 0 || fileHeader.reserved2 != 0)
        return fail(error, "Not a recognised BMP format file");

    // The information header's size field says which header follows.
    unsigned char infoBytes[kLargestInfoHeader];
    if (!file.readExact(infoBytes, 4)) return fail(error, "Error reading file");
    const std::uint32_t headerSize = ByteReader(infoBytes, 4).u32();
    if (headerSize == kOs2HeaderSize) return fail(error, "OS/2 style BMPs Not Supported");
    if (!knownHeaderSize(headerSize))
        return fail(error, "unsupported bitmap header of " + std::to_string(headerSize) + " bytes");
    if (kFileHeaderSize + headerSize > fileSize || !file.readExact(infoBytes + 4, headerSize - 4))
        return fail(error, "Error reading file");
    ByteReader infoReader(infoBytes, headerSize);
    DibHeader info;
    readDibHeader(infoReader, info);
    if (!geometryAccepted(info)) return fail(error, "Failed to allocate memory for DIB");

    // Channel masks of 16- and 32-bit pictures: inside the larger headers,
    // right after the 40-byte one.
    const bool bitFields = info.compression == kBiBitFields && info.planes == 1 &&
                           (info.bitCount == 16 || info.bitCount == 32);
    unsigned char maskBytes[kMaskBytes] = {};
    std::uint64_t paletteAt = kFileHeaderSize + headerSize;
    if (bitFields && headerSize >= kDibHeaderSize + kMaskBytes) {
        std::copy(infoBytes + kDibHeaderSize, infoBytes + kDibHeaderSize + kMaskBytes, maskBytes);
    } else if (bitFields) {
        if (!file.readExact(maskBytes, kMaskBytes)) return fail(error, "Error reading file");
        paletteAt += kMaskBytes;
    }

    const std::uint64_t paletteBytes = dibPaletteBytes(info);
    const std::uint64_t pixelBytes = dibRowBytes(info) * static_cast<std::uint64_t>(info.height);
    // Both blocks must lie inside the file: a shorter file could only give
    // a short read.
    const std::uint64_t pixelsAt = fileHeader.bitsOffset ? fileHeader.bitsOffset : paletteAt + paletteBytes;
    if (paletteAt + paletteBytes > fileSize || pixelsAt > fileSize || pixelBytes > fileSize - pixelsAt)
        return fail(error, "Error reading file");

    std::string palette, pixels;
    try {
        palette.resize(static_cast<std::size_t>(paletteBytes));
        pixels.resize(static_cast<std::size_t>(pixelBytes));
    } catch (const std::bad_alloc&) {
        return fail(error, "Failed to allocate memory for DIB");
    }
    if (paletteBytes && !file.readExact(palette.data(), palette.size())) return fail(error, "Error reading file");
    if (fileHeader.bitsOffset && !file.seek(fileHeader.bitsOffset)) return fail(error, "Error reading file");
    if (!file.readExact(pixels.data(), pixels.size())) return fail(error, "Error reading file");

    try {
        if (bitFields) {
            pixels = unpackBitFields(pixels, info, readMasks(maskBytes));
            palette.clear();
            info.bitCount = 32;
            info.compression = 0;
            info.sizeImage = 0;
            info.clrUsed = 0;
            info.clrImportant = 0;
        }
        // The packed DIB always carries the 40-byte header.
        info.size = kDibHeaderSize;
        ByteWriter dib;
        writeDibHeader(dib, info);
        dib.bytes(palette);
        dib.bytes(pixels);
        return dib.take();
    } catch (const std::bad_alloc&) {
        return fail(error, "Failed to allocate memory for DIB");
    }
}
