// Reading and patching the PE headers. Offsets are those of the PE/COFF
// format: DOS header with e_lfanew at 0x3C, "PE\0\0", the COFF header, the
// optional header (PE32 or PE32+) with its data directories, then the
// section table.
#include "builder/engine/PeImage.h"

#include <algorithm>

#include "platform/ByteReader.h"

namespace {

constexpr std::uint16_t kDosMagic = 0x5A4D;  // "MZ"
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kChecksumField = 64;  // in the optional header, both forms
constexpr std::size_t kInitializedDataField = 8;
constexpr std::size_t kSizeOfImageField = 56;
constexpr unsigned kResourceDirectory = 2;
constexpr unsigned kCertificateDirectory = 4;
constexpr unsigned kMaxDirectories = 16;

std::size_t directoryCountField(bool pe32Plus) { return pe32Plus ? 108 : 92; }
std::size_t directoriesField(bool pe32Plus) { return pe32Plus ? 112 : 96; }

bool powerOfTwo(std::uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

bool fail(std::string& error, const char* text) {
    error = text;
    return false;
}

void put16(std::string& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

void put32(std::string& out, std::size_t at, std::uint32_t v) {
    put16(out, at, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, at + 2, static_cast<std::uint16_t>(v >> 16));
}

PeDirectory readDirectory(ByteReader& in, std::size_t at) {
    PeDirectory d;
    in.seek(at);
    d.address = in.u32();
    d.size = in.u32();
    return d;
}

bool readSections(ByteReader& in, PeImage& image, unsigned count, std::uint64_t fileSize, std::string& error) {
    in.seek(image.sectionTableOffset);
    std::uint64_t previousEnd = 0;
    for (unsigned i = 0; i < count; ++i) {
        PeSection s;
        const char* nameBytes = in.take(8);
        std::string name = nameBytes ? std::string(nameBytes, 8) : std::string();
        s.name = name.substr(0, name.find('\0'));
        s.virtualSize = in.u32();
        s.virtualAddress = in.u32();
        s.rawSize = in.u32();
        s.rawPointer = in.u32();
        in.skip(12);  // relocations, line numbers and their counts
        s.characteristics = in.u32();
        if (!in.ok()) return fail(error, "the section table is cut short");
        if (s.rawSize != 0 && s.rawEnd() > fileSize) return fail(error, "a section's data lies past the end of the file");
        // Rewriting one section's data must never touch the headers or
        // another section's data.
        if (s.rawSize != 0 && s.rawPointer < image.sizeOfHeaders)
            return fail(error, "a section's data overlaps the headers");
        for (const PeSection& other : image.sections)
            if (s.rawSize != 0 && other.rawSize != 0 && s.rawPointer < other.rawEnd() && other.rawPointer < s.rawEnd())
                return fail(error, "the sections overlap in the file");
        if (s.virtualAddress < previousEnd) return fail(error, "the sections overlap or are out of order in memory");
        previousEnd = s.virtualEnd();
        if (previousEnd > 0xFFFFFFFFull) return fail(error, "a section reaches past 4 GiB in memory");
        image.sections.push_back(s);
    }
    return true;
}

}  // namespace

std::uint64_t PeSection::virtualEnd() const {
    return static_cast<std::uint64_t>(virtualAddress) + (virtualSize != 0 ? virtualSize : rawSize);
}

std::uint64_t PeImage::rawDataEnd() const {
    std::uint64_t end = sizeOfHeaders;
    for (const PeSection& s : sections)
        if (s.rawSize != 0) end = std::max(end, s.rawEnd());
    return end;
}

std::uint64_t PeImage::headerRoom() const {
    std::uint64_t limit = sizeOfHeaders;
    for (const PeSection& s : sections)
        if (s.rawSize != 0) limit = std::min<std::uint64_t>(limit, s.rawPointer);
    const std::uint64_t tableEnd = sectionTableOffset + sections.size() * kPeSectionHeaderSize;
    return limit > tableEnd ? limit - tableEnd : 0;
}

int PeImage::sectionHolding(std::uint64_t rva, std::uint64_t size) const {
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const PeSection& s = sections[i];
        if (rva >= s.virtualAddress && rva < s.virtualEnd() && size <= s.virtualEnd() - rva)
            return static_cast<int>(i);
    }
    return -1;
}

bool readPeImage(const std::string& file, PeImage& image, std::string& error) {
    image = PeImage();
    ByteReader in(file.data(), file.size());
    if (in.u16() != kDosMagic) return fail(error, "not an executable (no MZ header)");
    in.seek(0x3C);
    const std::uint64_t peOffset = in.u32();
    if (!in.ok() || peOffset > file.size()) return fail(error, "the PE header offset lies past the end of the file");
    in.seek(static_cast<std::size_t>(peOffset));
    if (in.u32() != kPeSignature) return fail(error, "not a PE executable (no PE signature)");
    in.skip(2);  // machine
    const unsigned sectionCount = in.u16();
    in.skip(12);  // time stamp, symbol table, symbol count
    const std::uint16_t optionalSize = in.u16();
    in.skip(2);  // characteristics
    if (!in.ok()) return fail(error, "the COFF header is cut short");

    image.optionalHeaderOffset = static_cast<std::size_t>(peOffset) + 4 + kCoffHeaderSize;
    const std::uint16_t magic = in.u16();
    if (magic != kPe32Magic && magic != kPe32PlusMagic) return fail(error, "neither a PE32 nor a PE32+ image");
    image.pe32Plus = magic == kPe32PlusMagic;
    const std::size_t opt = image.optionalHeaderOffset;
    if (optionalSize < directoriesField(image.pe32Plus))
        return fail(error, "the optional header is too short");
    if (static_cast<std::uint64_t>(opt) + optionalSize > file.size())
        return fail(error, "the optional header is cut short");

    in.seek(opt + kInitializedDataField);
    image.sizeOfInitializedData = in.u32();
    in.seek(opt + 32);
    image.sectionAlignment = in.u32();
    image.fileAlignment = in.u32();
    in.seek(opt + kSizeOfImageField);
    image.sizeOfImage = in.u32();
    image.sizeOfHeaders = in.u32();
    in.seek(opt + directoryCountField(image.pe32Plus));
    image.directoryCount = in.u32();
    if (!in.ok()) return fail(error, "the optional header is cut short");
    if (!powerOfTwo(image.fileAlignment) || image.fileAlignment < 0x200 || image.fileAlignment > 0x10000 ||
        !powerOfTwo(image.sectionAlignment) || image.sectionAlignment < image.fileAlignment)
        return fail(error, "the section or file alignment is not a valid power of two");
    if (image.directoryCount <= kResourceDirectory || image.directoryCount > kMaxDirectories)
        return fail(error, "the image has no resource data directory");
    if (directoriesField(image.pe32Plus) + 8ull * image.directoryCount > optionalSize)
        return fail(error, "the data directories do not fit in the optional header");
    image.resources = readDirectory(in, opt + directoriesField(image.pe32Plus) + 8 * kResourceDirectory);
    if (image.directoryCount > kCertificateDirectory)
        image.certificates = readDirectory(in, opt + directoriesField(image.pe32Plus) + 8 * kCertificateDirectory);

    if (sectionCount > kPeMaxSections) return fail(error, "the image has more than 96 sections");
    image.sectionTableOffset = opt + optionalSize;
    const std::uint64_t tableEnd = image.sectionTableOffset + static_cast<std::uint64_t>(sectionCount) * kPeSectionHeaderSize;
    if (image.sizeOfHeaders > file.size() || tableEnd > image.sizeOfHeaders)
        return fail(error, "the section table lies outside the headers");
    if (!readSections(in, image, sectionCount, file.size(), error)) return false;

    if (image.certificates.present()) {
        const std::uint64_t end = static_cast<std::uint64_t>(image.certificates.address) + image.certificates.size;
        if (end > file.size() || image.certificates.address < image.rawDataEnd())
            return fail(error, "the certificate table does not lie after the image");
    }
    return true;
}

void patchPeImage(std::string& file, const PeImage& image) {
    const std::size_t opt = image.optionalHeaderOffset;
    put16(file, opt - kCoffHeaderSize + 2, static_cast<std::uint16_t>(image.sections.size()));
    put32(file, opt + kInitializedDataField, image.sizeOfInitializedData);
    put32(file, opt + kSizeOfImageField, image.sizeOfImage);
    const std::size_t directories = opt + directoriesField(image.pe32Plus);
    put32(file, directories + 8 * kResourceDirectory, image.resources.address);
    put32(file, directories + 8 * kResourceDirectory + 4, image.resources.size);
    if (image.directoryCount > kCertificateDirectory) {
        put32(file, directories + 8 * kCertificateDirectory, image.certificates.address);
        put32(file, directories + 8 * kCertificateDirectory + 4, image.certificates.size);
    }
    std::size_t at = image.sectionTableOffset;
    for (const PeSection& s : image.sections) {
        std::string name = s.name.substr(0, 8);
        name.resize(8, '\0');
        file.replace(at, 8, name);
        put32(file, at + 8, s.virtualSize);
        put32(file, at + 12, s.virtualAddress);
        put32(file, at + 16, s.rawSize);
        put32(file, at + 20, s.rawPointer);
        put32(file, at + 36, s.characteristics);
        at += kPeSectionHeaderSize;
    }
    put32(file, opt + kChecksumField, peChecksum(file, opt + kChecksumField));
}

std::uint32_t peChecksum(const std::string& file, std::size_t checksumOffset) {
    // The four bytes of the checksum field count as zero.
    auto byteAt = [&](std::size_t i) -> std::uint32_t {
        if (i >= file.size() || (i >= checksumOffset && i - checksumOffset < 4)) return 0;
        return static_cast<unsigned char>(file[i]);
    };
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < file.size(); i += 2) {
        sum += byteAt(i) | (byteAt(i + 1) << 8);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint32_t>(sum + file.size());
}
