#include "builder/engine/BitmapFile.h"

#include <algorithm>
#include <new>

#include "builder/engine/DibLayout.h"
#include "platform/ByteReader.h"
#include "platform/FileSystem.h"
#include "platform/MessageText.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint16_t kBitmapType = 0x4D42;  // "BM"

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

std::optional<std::string> fail(const std::string& path, const char* text) {
    platform::showMessage(nullptr, text, path, platform::kMbOk);
    return std::nullopt;
}

bool geometryAccepted(const DibHeader& h) {
    const std::uint64_t bits = dibBitsPerPixel(h);
    return h.width >= 1 && h.width <= kMaxDibDimension && h.height >= 1 && h.height <= kMaxDibDimension &&
           bits >= 1 && bits <= 32;
}

}  // namespace

std::optional<std::string> readBitmapFile(const std::string& path) {
    platform::File file = platform::openFile(path, platform::File::Mode::ReadExclusive);
    if (!file.isOpen()) return fail(path, "Error opening file");
    const std::uint64_t fileSize = platform::fileSize(file).value_or(0);

    unsigned char fileHeaderBytes[kFileHeaderSize];
    if (!file.readExact(fileHeaderBytes, sizeof fileHeaderBytes)) return fail(path, "Error reading file");
    const BitmapFileHeader fileHeader = parseFileHeader(fileHeaderBytes);
    if (fileHeader.type != kBitmapType || fileHeader.reserved1 != 0 || fileHeader.reserved2 != 0)
        return fail(path, "Not a recognised BMP format file");

    unsigned char infoBytes[kDibHeaderSize];
    if (!file.readExact(infoBytes, sizeof infoBytes)) return fail(path, "Error reading file");
    ByteReader infoReader(infoBytes, sizeof infoBytes);
    DibHeader info;
    readDibHeader(infoReader, info);
    if (info.size != kDibHeaderSize) return fail(path, "OS/2 style BMPs Not Supported");
    if (!geometryAccepted(info)) return fail(path, "Failed to allocate memory for DIB");

    const std::uint64_t paletteBytes = dibPaletteBytes(info);
    const std::uint64_t pixelBytes = dibRowBytes(info) * static_cast<std::uint64_t>(info.height);
    // Both blocks must lie inside the file: a shorter file could only give
    // a short read.
    const std::uint64_t paletteAt = kFileHeaderSize + kDibHeaderSize;
    const std::uint64_t pixelsAt = fileHeader.bitsOffset ? fileHeader.bitsOffset : paletteAt + paletteBytes;
    if (paletteAt + paletteBytes > fileSize || pixelsAt > fileSize || pixelBytes > fileSize - pixelsAt)
        return fail(path, "Error reading file");

    std::string dib;
    try {
        dib.resize(static_cast<std::size_t>(kDibHeaderSize + paletteBytes + pixelBytes));
    } catch (const std::bad_alloc&) {
        return fail(path, "Failed to allocate memory for DIB");
    }
    std::copy(infoBytes, infoBytes + kDibHeaderSize, dib.begin());
    char* palette = dib.data() + kDibHeaderSize;
    if (paletteBytes && !file.readExact(palette, static_cast<std::size_t>(paletteBytes)))
        return fail(path, "Error reading file");
    if (fileHeader.bitsOffset && !file.seek(fileHeader.bitsOffset)) return fail(path, "Error reading file");
    if (!file.readExact(palette + paletteBytes, static_cast<std::size_t>(pixelBytes)))
        return fail(path, "Error reading file");
    return dib;
}
