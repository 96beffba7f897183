#include "vmbind/LibraryHeader.h"

#include "platform/Files.h"
#include "platform/Memory.h"

namespace {

unsigned read16(const unsigned char* p) { return static_cast<unsigned>(p[0] | (p[1] << 8)); }
uint32_t read32(const unsigned char* p) { return read16(p) | (static_cast<uint32_t>(read16(p + 2)) << 16); }
uint64_t read64(const unsigned char* p) { return read32(p) | (static_cast<uint64_t>(read32(p + 4)) << 32); }

// At most `n` bytes from `offset` of an open file; the count read.
size_t readAt(platform::File& file, uint64_t offset, unsigned char* buffer, size_t n) {
    if (!file.seek(offset)) return 0;
    long long got = file.read(buffer, n);
    return got > 0 ? static_cast<size_t>(got) : 0;
}

}  // namespace

Machine ownMachine() {
    const unsigned bits = sizeof(void*) * 8;
#ifdef _WIN32
#if defined(__x86_64__) || defined(_M_X64)
    return Machine{0x8664, bits};
#elif defined(__aarch64__) || defined(_M_ARM64)
    return Machine{0xAA64, bits};
#else
    return Machine{0x14C, bits};
#endif
#else
#if defined(__x86_64__)
    return Machine{62, bits};
#elif defined(__aarch64__)
    return Machine{183, bits};
#else
    return Machine{3, bits};
#endif
#endif
}

LibraryVerdict readDosHeader(const unsigned char* bytes, size_t size, uint32_t& ntOffset) {
    if (size >= 2 && (bytes[0] != 'M' || bytes[1] != 'Z')) return LibraryVerdict::NotPe;
    if (size < 64) return size < 2 ? LibraryVerdict::NotPe : LibraryVerdict::Truncated;
    ntOffset = read32(bytes + 60);
    return LibraryVerdict::Loadable;
}

LibraryVerdict readPeHeader(const unsigned char* bytes, size_t size, uint32_t ntOffset, uint64_t fileSize,
                            Machine& found) {
    static const unsigned char kSignature[4] = {'P', 'E', 0, 0};
    for (size_t i = 0; i < 4 && i < size; ++i)
        if (bytes[i] != kSignature[i]) return LibraryVerdict::NotPe;
    if (size < 26) return LibraryVerdict::Truncated;
    found.machine = read16(bytes + 4);
    const size_t sections = read16(bytes + 6);
    const size_t optionalSize = read16(bytes + 20);
    // The optional header follows the 20-byte file header.
    const unsigned magic = read16(bytes + 24);
    if (optionalSize < 2 || (magic != 0x10B && magic != 0x20B)) return LibraryVerdict::NotPe;
    found.bits = magic == 0x20B ? 64 : 32;
    const size_t table = 24 + optionalSize;
    if (table + sections * 40 > size)
        return table + sections * 40 > fileSize - ntOffset ? LibraryVerdict::Truncated : LibraryVerdict::NotPe;
    for (size_t at = table; at < table + sections * 40; at += 40) {
        const uint64_t end = static_cast<uint64_t>(read32(bytes + at + 20)) + read32(bytes + at + 16);
        if (end > fileSize) return LibraryVerdict::Truncated;
    }
    return LibraryVerdict::Loadable;
}

LibraryVerdict readElfHeader(const unsigned char* bytes, size_t size, uint64_t fileSize, Machine& found) {
    static const unsigned char kMagic[4] = {0x7F, 'E', 'L', 'F'};
    for (size_t i = 0; i < 4 && i < size; ++i)
        if (bytes[i] != kMagic[i]) return LibraryVerdict::NotElf;
    if (size < 6) return size < 4 ? LibraryVerdict::NotElf : LibraryVerdict::Truncated;
    const unsigned elfClass = bytes[4];
    // Only little-endian files of a known class are libraries of this system.
    if ((elfClass != 1 && elfClass != 2) || bytes[5] != 1) return LibraryVerdict::NotElf;
    const bool wide = elfClass == 2;
    if (size < (wide ? 64u : 52u)) return LibraryVerdict::Truncated;
    found.bits = wide ? 64 : 32;
    found.machine = read16(bytes + 18);
    // Program header table (offset, entry size, count), then section header table.
    const uint64_t tables[2][3] = {
        {wide ? read64(bytes + 0x20) : read32(bytes + 0x1C), read16(bytes + (wide ? 0x36 : 0x2A)),
         read16(bytes + (wide ? 0x38 : 0x2C))},
        {wide ? read64(bytes + 0x28) : read32(bytes + 0x20), read16(bytes + (wide ? 0x3A : 0x2E)),
         read16(bytes + (wide ? 0x3C : 0x30))}};
    for (const uint64_t* table : tables)
        if (table[0] > fileSize || table[1] * table[2] > fileSize - table[0]) return LibraryVerdict::Truncated;
    return LibraryVerdict::Loadable;
}

LibraryVerdict compareMachine(const Machine& found, const Machine& own) {
    if (found.bits != own.bits) return LibraryVerdict::OtherBitness;
    return found.machine == own.machine ? LibraryVerdict::Loadable : LibraryVerdict::OtherMachine;
}

const char* libraryProblem(LibraryVerdict verdict, unsigned bits) {
    switch (verdict) {
    case LibraryVerdict::Loadable: break;
    case LibraryVerdict::Unreadable: return "cannot be read";
    case LibraryVerdict::NotPe: return "not a PE file";
    case LibraryVerdict::NotElf: return "not an ELF file";
    case LibraryVerdict::Truncated: return "truncated file";
    case LibraryVerdict::OtherBitness:
        return bits == 64 ? "32-bit library, this program is 64-bit" : "64-bit library, this program is 32-bit";
    case LibraryVerdict::OtherMachine: return "library for another processor";
    }
    return "";
}

LibraryVerdict checkLibraryFile(const char* path, Machine& found) {
    platform::File file = platform::File::open(path, platform::File::Mode::ReadShared);
    uint64_t fileSize = 0;
    if (!file.isOpen() || !file.size(fileSize)) return LibraryVerdict::Unreadable;
    unsigned char head[64];
    size_t size = readAt(file, 0, head, sizeof head);
    LibraryVerdict verdict;
#ifdef _WIN32
    uint32_t ntOffset = 0;
    verdict = readDosHeader(head, size, ntOffset);
    if (verdict != LibraryVerdict::Loadable) return verdict;
    auto* headers = static_cast<unsigned char*>(allocateMemory(kPeHeadersRead));
    verdict = readPeHeader(headers, ntOffset < fileSize ? readAt(file, ntOffset, headers, kPeHeadersRead) : 0, ntOffset,
                           fileSize, found);
    releaseMemory(headers);
#else
    verdict = readElfHeader(head, size, fileSize, found);
#endif
    return verdict == LibraryVerdict::Loadable ? compareMachine(found, ownMachine()) : verdict;
}
