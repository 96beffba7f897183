#include "builder/engine/IconFileReader.h"

#include <algorithm>
#include <new>
#include <vector>

#include "builder/engine/DibLayout.h"
#include "builder/engine/PngImage.h"
#include "platform/ByteReader.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kMaxPathLength = 260;

// ICONDIRENTRY: only the image size and offset are used.
struct DirectoryEntry {
    std::uint8_t width = 0, height = 0, colourCount = 0, reserved = 0;
    std::uint16_t planes = 0, bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint32_t imageOffset = 0;
};

DirectoryEntry readEntry(ByteReader& in) {
    DirectoryEntry e;
    e.width = in.u8();
    e.height = in.u8();
    e.colourCount = in.u8();
    e.reserved = in.u8();
    e.planes = in.u16();
    e.bitCount = in.u16();
    e.bytesInRes = in.u32();
    e.imageOffset = in.u32();
    return e;
}

bool depthAccepted(std::uint64_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Fills width, height and bits per pixel from the image's header; false when
// the header, palette, colour rows and mask rows do not fit the bytes, or a
// PNG image is cut short or malformed.
bool describeImage(IconImage& image) {
    if (startsAsPng(image.bytes)) {
        const std::optional<PngHeader> png = readPngHeader(image.bytes);
        if (!png) return false;
        image.width = static_cast<std::int32_t>(png->width);
        image.height = static_cast<std::int32_t>(png->height);
        image.bitsPerPixel = static_cast<std::int32_t>(png->bitsPerPixel);
        return true;
    }
    ByteReader in(image.bytes.data(), image.bytes.size());
    DibHeader h;
    if (!readDibHeader(in, h)) return false;
    const std::int32_t height = h.height / 2;
    const std::uint64_t bits = dibBitsPerPixel(h);
    if (h.size < kDibHeaderSize || h.width < 1 || h.width > kMaxDibDimension || height < 1 ||
        height > kMaxDibDimension || !depthAccepted(bits))
        return false;
    const std::uint64_t maskRow = static_cast<std::uint64_t>((h.width + 31) / 32) * 4;
    const std::uint64_t needed =
        dibPixelOffset(h) + (dibRowBytes(h) + maskRow) * static_cast<std::uint64_t>(height);
    if (needed > image.bytes.size()) return false;
    image.width = h.width;
    image.height = height;
    image.bitsPerPixel = static_cast<std::int32_t>(bits);
    return true;
}

// Where every image lies: each must lie inside the file, and no two may
// share bytes (images that did would cost their bytes again for every
// entry naming them, a file of a few kilobytes giving an executable of
// many megabytes).
std::vector<DirectoryEntry> readEntries(ByteReader& in, std::uint16_t count, std::uint64_t fileSize,
                                        const std::string& path) {
    std::vector<DirectoryEntry> entries(count);
    std::vector<std::uint16_t> byOffset(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        entries[i] = readEntry(in);
        if (entries[i].imageOffset > fileSize) throw XFileException("Error Seeking in .ico File");
        if (entries[i].bytesInRes > fileSize - entries[i].imageOffset) throw XFileException("Error Reading File");
        byOffset[i] = i;
    }
    std::sort(byOffset.begin(), byOffset.end(), [&entries](std::uint16_t a, std::uint16_t b) {
        return entries[a].imageOffset != entries[b].imageOffset ? entries[a].imageOffset < entries[b].imageOffset
                                                                : a < b;
    });
    for (std::size_t k = 1; k < byOffset.size(); ++k) {
        const DirectoryEntry& before = entries[byOffset[k - 1]];
        if (std::uint64_t{before.imageOffset} + before.bytesInRes > entries[byOffset[k]].imageOffset)
            throw XFileException(path + ": images " + std::to_string(std::min(byOffset[k - 1], byOffset[k]) + 1) +
                                 " and " + std::to_string(std::max(byOffset[k - 1], byOffset[k]) + 1) +
                                 " share bytes; each image of an icon file must have bytes of its own");
    }
    return entries;
}

IconFile readAll(const std::string& path) {
    platform::File file = platform::openFile(path, platform::File::Mode::ReadExclusive);
    if (!file.isOpen()) throw XFileException("Error Opening ,ico File for Reading");
    const std::uint64_t fileSize = platform::fileSize(file).value_or(0);

    unsigned char header[6];
    for (int i = 0; i < 3; ++i)
        if (!file.readExact(header + 2 * i, 2)) throw XFileException("Error Reading .ico File Header");
    ByteReader headerReader(header, sizeof header);
    const std::uint16_t reserved = headerReader.u16();
    const std::uint16_t type = headerReader.u16();  // icons and cursors are read alike
    const std::uint16_t count = headerReader.u16();
    if (reserved != 0) throw XFileException("Error Reading .ico File Header");

    std::string directory(kDirectoryEntrySize * count, '\0');
    if (!file.readExact(directory.data(), directory.size())) throw XFileException("Error Reading .ico File");
    if (count > kMaxIconFileImages)
        throw XFileException(path + ": " + std::to_string(count) + " images; an icon file may hold at most " +
                             std::to_string(kMaxIconFileImages));
    ByteReader in(directory.data(), directory.size());
    const std::vector<DirectoryEntry> entries = readEntries(in, count, fileSize, path);
    std::uint64_t total = 0;
    for (const DirectoryEntry& entry : entries) total += entry.bytesInRes;
    if (total > kMaxIconFileImageBytes)
        throw XFileException(path + ": its images take " + std::to_string(total) +
                             " bytes, over the cap of " +
                             std::to_string(kMaxIconFileImageBytes >> 20) + " MB an icon file's images may take");

    IconFile result;
    result.path = path.substr(0, kMaxPathLength);
    result.type = type;
    result.images.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        if (!file.seek(entries[i].imageOffset)) throw XFileException("Error Seeking in .ico File");
        IconImage image;
        image.id = i;
        image.bytes.resize(entries[i].bytesInRes);
        if (!file.readExact(image.bytes.data(), image.bytes.size())) throw XFileException("Error Reading File");
        if (!describeImage(image)) throw XFileException("Error Reading File");
        result.images.push_back(std::move(image));
    }
    return result;
}

}  // namespace

IconFile readIconFile(const std::string& path) {
    try {
        return readAll(path);
    } catch (const std::bad_alloc&) {
        throw XMemoryException();
    }
}

bool isPngImage(const IconImage& image) { return startsAsPng(image.bytes); }
