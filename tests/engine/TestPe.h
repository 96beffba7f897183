#pragma once
// Small PE32 / PE32+ files made by hand for the resource editor's tests:
// a code section, optionally a resource section laid out differently from
// the editor's own writer (directories depth first, data first in the
// section, 2-byte aligned), optionally a .reloc section after it, and
// optionally bytes after the image.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ByteWriter.h"

namespace caskit_test {

struct HandPe {
    bool pe32Plus = true;
    bool resources = true;
    bool relocAfterResources = true;
    std::string overlay;
    unsigned extraSections = 0;  // empty sections before .rsrc, to fill the header room
    std::uint32_t headerSize = 0x200;  // where the first section's data starts
};

// Offsets inside the files makeHandPe writes.
constexpr std::size_t kHandPeOffset = 0x40;
constexpr std::size_t kHandOptional = kHandPeOffset + 24;
constexpr std::uint32_t kHandResourceRva = 0x2000;
constexpr std::uint32_t kHandResourceRaw = 0x400;

inline void put32(std::string& s, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
inline std::uint32_t get32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}
inline std::uint16_t get16(const std::string& s, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) | (static_cast<unsigned char>(s[at + 1]) << 8));
}

// The hand-made tree: three types, one named: "EXE" 113 language 0 =
// "stub image", RT_ICON 1 language 1033 = "icon one", RT_GROUP_ICON "MAIN"
// language 1033 = "group".
inline std::string handResourceSection(std::uint32_t rva) {
    const std::string data[3] = {"stub image", "icon one", "group"};
    // Data at 0, 2-byte aligned; then directories, depth first.
    ByteWriter w;
    std::uint32_t dataAt[3];
    for (int i = 0; i < 3; ++i) {
        dataAt[i] = static_cast<std::uint32_t>(w.size());
        w.bytes(data[i]);
        if (w.size() & 1) w.u8(0);
    }
    // The data comes first, so the resource directory address points past it.
    auto dirHeader = [&w](std::uint16_t named, std::uint16_t ids) {
        w.zeros(12);
        w.u16(named);
        w.u16(ids);
    };
    // Layout relative to dirBase: root (16 + 3*8 = 40); "EXE" type dir at 40
    // (24) with its name dir at 64 (24); icon type dir at 88 (24) -> name dir
    // 112 (24); group type dir at 136 (24) -> name dir 160 (24); data entries
    // at 184, 200, 216; strings at 232 ("EXE"), 240 ("MAIN").
    const std::uint32_t hi = 0x80000000u;
    dirHeader(1, 2);
    w.u32(hi | 232); w.u32(hi | 40);   // "EXE"
    w.u32(3); w.u32(hi | 88);          // RT_ICON
    w.u32(14); w.u32(hi | 136);        // RT_GROUP_ICON
    dirHeader(0, 1); w.u32(113); w.u32(hi | 64);
    dirHeader(0, 1); w.u32(0); w.u32(184);
    dirHeader(0, 1); w.u32(1); w.u32(hi | 112);
    dirHeader(0, 1); w.u32(1033); w.u32(200);
    dirHeader(1, 0); w.u32(hi | 240); w.u32(hi | 160);
    dirHeader(0, 1); w.u32(1033); w.u32(216);
    for (int i = 0; i < 3; ++i) {
        w.u32(rva + dataAt[i]);
        w.u32(static_cast<std::uint32_t>(data[i].size()));
        w.u32(0);
        w.u32(0);
    }
    w.u16(3); for (char c : std::string("EXE")) w.u16(static_cast<std::uint16_t>(c));
    w.u16(4); for (char c : std::string("MAIN")) w.u16(static_cast<std::uint16_t>(c));
    return w.take();
}

// Where the directory of handResourceSection starts within the section.
inline std::uint32_t handResourceDirectoryOffset() { return 10 + 8 + 6; }

inline std::string makeHandPe(const HandPe& o) {
    struct Section {
        const char* name;
        std::uint32_t rva, raw;
        std::string bytes;
        std::uint32_t characteristics;
    };
    std::vector<Section> sections;
    sections.push_back({".text", 0x1000, o.headerSize, std::string(0x30, '\xC3'), 0x60000020});
    std::uint32_t nextRva = 0x2000, nextRaw = o.headerSize + 0x200;
    for (unsigned i = 0; i < o.extraSections; ++i) {
        sections.push_back({".pad", nextRva, nextRaw, std::string(16, 'P'), 0x40000040});
        nextRva += 0x1000;
        nextRaw += 0x200;
    }
    std::uint32_t resourceRva = 0, resourceSize = 0;
    if (o.resources) {
        std::string rsrc = handResourceSection(nextRva);
        resourceRva = nextRva + handResourceDirectoryOffset();
        resourceSize = static_cast<std::uint32_t>(rsrc.size()) - handResourceDirectoryOffset();
        sections.push_back({".rsrc", nextRva, nextRaw, rsrc, 0x40000040});
        nextRva += 0x1000;
        nextRaw += 0x200;
    }
    std::uint32_t relocRva = 0;
    if (o.relocAfterResources) {
        relocRva = nextRva;
        sections.push_back({".reloc", nextRva, nextRaw, std::string("\0\x10\0\0\x0C\0\0\0\x10\xA0\0\0", 12), 0x42000040});
        nextRva += 0x1000;
        nextRaw += 0x200;
    }

    ByteWriter w;
    w.u16(0x5A4D);
    w.zeros(0x3A);
    w.u32(kHandPeOffset);
    w.u32(0x00004550);
    w.u16(o.pe32Plus ? 0x8664 : 0x14C);
    w.u16(static_cast<std::uint16_t>(sections.size()));
    w.zeros(12);
    w.u16(o.pe32Plus ? 240 : 224);
    w.u16(0x22);
    w.u16(o.pe32Plus ? 0x20B : 0x10B);
    w.zeros(6);               // linker versions, size of code
    w.u32(0x200);             // size of initialized data
    w.zeros(4 + 4 + 4);       // uninitialized data, entry point, base of code
    if (o.pe32Plus) w.zeros(8);  // image base (64-bit)
    else w.zeros(8);             // base of data, image base
    w.u32(0x1000);            // section alignment
    w.u32(0x200);             // file alignment
    w.zeros(16);              // versions
    w.u32(nextRva);           // size of image
    w.u32(o.headerSize);      // size of headers
    w.u32(0);                 // checksum
    w.u16(2);                 // subsystem
    w.u16(0);
    w.zeros(o.pe32Plus ? 32 : 16);  // stack and heap sizes
    w.u32(0);                 // loader flags
    w.u32(16);                // number of data directories
    for (unsigned i = 0; i < 16; ++i) {
        if (i == 2) { w.u32(resourceRva); w.u32(resourceSize); }
        else if (i == 5 && relocRva) { w.u32(relocRva); w.u32(12); }
        else w.zeros(8);
    }
    for (const Section& s : sections) {
        std::string name = s.name;
        name.resize(8, '\0');
        w.bytes(name);
        w.u32(static_cast<std::uint32_t>(s.bytes.size()));
        w.u32(s.rva);
        w.u32(0x200);
        w.u32(s.raw);
        w.zeros(12);
        w.u32(s.characteristics);
    }
    w.zeros(o.headerSize - w.size());
    std::string file = w.take();
    for (const Section& s : sections) {
        file.resize(s.raw, '\0');
        file += s.bytes;
        file.resize(s.raw + 0x200, '\0');
    }
    return file + o.overlay;
}

}  // namespace caskit_test
