#pragma once
// The headers of a PE32 or PE32+ image file that the resource editor
// reads and changes: the optional header's alignments, sizes and checksum,
// the resource and certificate data directories, and the section table.
// readPeImage checks every offset and size against the file before it is
// used; patchPeImage writes the changed fields back.

#include <cstdint>
#include <string>
#include <vector>

struct PeSection {
    std::string name;  // up to 8 bytes, without the zero padding
    std::uint32_t virtualSize = 0;
    std::uint32_t virtualAddress = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawPointer = 0;
    std::uint32_t characteristics = 0;

    // End of the section in memory (its virtual size, or its raw size when
    // the virtual size is 0).
    std::uint64_t virtualEnd() const;
    std::uint64_t rawEnd() const { return static_cast<std::uint64_t>(rawPointer) + rawSize; }
};

struct PeDirectory {
    std::uint32_t address = 0;  // an RVA; a file offset for the certificate table
    std::uint32_t size = 0;
    bool present() const { return address != 0 || size != 0; }
};

struct PeImage {
    bool pe32Plus = false;
    std::size_t optionalHeaderOffset = 0;
    std::size_t sectionTableOffset = 0;
    std::uint32_t sectionAlignment = 0;
    std::uint32_t fileAlignment = 0;
    std::uint32_t sizeOfImage = 0;
    std::uint32_t sizeOfHeaders = 0;
    std::uint32_t sizeOfInitializedData = 0;
    std::uint32_t directoryCount = 0;
    PeDirectory resources;    // data directory 2
    PeDirectory certificates; // data directory 4 (file offset and size)
    std::vector<PeSection> sections;

    // Where the sections' raw data ends; the rest of the file is overlay
    // (certificate table, appended data).
    std::uint64_t rawDataEnd() const;
    // Bytes free for more section headers between the section table and
    // the first section's data (or the end of the headers).
    std::uint64_t headerRoom() const;
    // The index of the section whose memory holds the address rva and the
    // `size` bytes from there, or -1. A section's memory ends before its
    // end address, which may be where the next section starts.
    int sectionHolding(std::uint64_t rva, std::uint64_t size) const;
};

constexpr std::size_t kPeSectionHeaderSize = 40;
constexpr unsigned kPeMaxSections = 96;  // the most the Windows loader accepts
constexpr std::uint32_t kSectionInitializedData = 0x00000040;
constexpr std::uint32_t kSectionMemoryRead = 0x40000000;

// Reads and checks the headers. On a malformed file returns false with a
// one-line reason in `error`.
bool readPeImage(const std::string& file, PeImage& image, std::string& error);

// Writes the section table (which may have grown by one header), the
// sizes, the two data directories and the checksum of `image` into
// `file`, which holds the whole new file. The section table must fit in
// the room readPeImage found.
void patchPeImage(std::string& file, const PeImage& image);

// The PE header checksum of a whole file: 16-bit one's-complement-style
// sum of the file with the checksum field taken as 0, plus the file length.
std::uint32_t peChecksum(const std::string& file, std::size_t checksumOffset);

inline std::uint64_t alignUp(std::uint64_t value, std::uint64_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}
