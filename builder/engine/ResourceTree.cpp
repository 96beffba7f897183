// The resource section's layout: a directory table is 16 bytes
// (characteristics, time stamp, major and minor version, named count, id
// count) followed by 8-byte entries (name or id, then the offset of a
// subdirectory with the high bit set or of a 16-byte data entry: data RVA,
// size, code page, reserved). Offsets of directories, data entries and
// names count from the start of the resource directory; names are a
// 16-bit length and that many UTF-16 units.
#include "builder/engine/ResourceTree.h"

#include <iterator>
#include <vector>

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kDirectoryHeaderSize = kResourceDirectoryHeaderSize;
constexpr std::size_t kDirectoryEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr unsigned kLanguageLevel = 2;

char16_t folded(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

std::uint64_t align8(std::uint64_t value) { return (value + 7) & ~std::uint64_t{7}; }

// Reads one resource tree, bounded by the section it lies in: every
// directory's bytes are its own, and what the entries use (directories,
// data entries, names) is counted each time against the section's size,
// before anything is copied.
class TreeReader {
public:
    TreeReader(std::string_view section, const ResourceDataLocator& locate, std::uint64_t dataLimit,
               ResourceTable& table)
        : section_(section), locate_(locate), dataLimit_(dataLimit), table_(table) {}

    bool readRoot() {
        ResourceKey key;
        return claimDirectory(0) && readDirectory(0, 0, key);
    }

    const std::string& error() const { return error_; }

private:
    bool fail(const char* text) {
        error_ = text;
        return false;
    }

    bool claim(std::uint64_t bytes) {
        claimed_ += bytes;
        if (claimed_ > section_.size())
            return fail("the resource tree's entries and names take more room than its section has");
        return true;
    }

    // Reserves the directory at `offset`, its header and entries, for this
    // tree. A directory that overlaps one reserved before is a loop or
    // shares entries with another: refused.
    bool claimDirectory(std::uint32_t offset) {
        ByteReader in(section_.data(), section_.size());
        in.seek(offset);
        in.skip(12);  // characteristics, time stamp, versions
        const std::uint64_t count = static_cast<std::uint64_t>(in.u16()) + in.u16();
        if (!in.ok() || !in.need(static_cast<std::size_t>(count * kDirectoryEntrySize)))
            return fail("a resource directory lies past the end of the resource section");
        const std::uint64_t end = in.offset() + count * kDirectoryEntrySize;
        const auto next = directories_.lower_bound(offset);
        if ((next != directories_.end() && next->first < end) ||
            (next != directories_.begin() && std::prev(next)->second > offset))
            return fail("the resource tree has a loop or overlapping directories");
        directories_.emplace(offset, end);
        return claim(end - offset);
    }

    // Reads a directory that claimDirectory reserved. Its subdirectories
    // are all reserved before any is read, so that directories sharing
    // entries are refused before their entries are read over and over.
    bool readDirectory(std::uint32_t offset, unsigned level, ResourceKey& key) {
        ByteReader in(section_.data(), section_.size());
        in.seek(offset + 12);
        const std::uint32_t count = static_cast<std::uint32_t>(in.u16()) + in.u16();
        const std::size_t entries = in.offset();
        if (level < kLanguageLevel) {
            for (std::uint32_t i = 0; i < count; ++i) {
                in.skip(4);
                const std::uint32_t target = in.u32();
                if ((target & kHighBit) == 0)
                    return fail("a resource directory entry points to data above the language level");
                if (!claimDirectory(target & ~kHighBit)) return false;
            }
            in.seek(entries);
        }
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t nameField = in.u32();
            const std::uint32_t target = in.u32();
            ResourceName name;
            if (!readName(nameField, name)) return false;
            if (level == 0) key.type = name;
            else if (level == 1) key.name = name;
            else if (name.named) return fail("a resource language entry has a name instead of a number");
            else key.language = name.id;

            if (level < kLanguageLevel) {
                if (!readDirectory(target & ~kHighBit, level + 1, key)) return false;
            } else {
                if ((target & kHighBit) != 0) return fail("the resource tree is deeper than type, name and language");
                if (!readData(target, key)) return false;
            }
        }
        return true;
    }

    bool readName(std::uint32_t field, ResourceName& name) {
        if ((field & kHighBit) == 0) {
            if (field > 0xFFFF) return fail("a resource id is wider than 16 bits");
            name = ResourceName::number(static_cast<std::uint16_t>(field));
            return true;
        }
        ByteReader in(section_.data(), section_.size());
        in.seek(field & ~kHighBit);
        const std::uint16_t length = in.u16();
        if (!in.ok() || !in.need(2u * length)) return fail("a resource name lies past the end of the resource section");
        if (!claim(2 + 2u * length)) return false;
        std::u16string text;
        for (std::uint16_t i = 0; i < length; ++i) text.push_back(static_cast<char16_t>(in.u16()));
        name = ResourceName::string(std::move(text));
        return true;
    }

    bool readData(std::uint32_t offset, const ResourceKey& key) {
        ByteReader in(section_.data(), section_.size());
        in.seek(offset);
        const std::uint32_t rva = in.u32();
        const std::uint32_t size = in.u32();
        const std::uint32_t codePage = in.u32();
        in.skip(4);
        if (!in.ok()) return fail("a resource data entry lies past the end of the resource section");
        if (!claim(kDataEntrySize)) return false;
        // Empty data has no bytes to find.
        const char* bytes = size == 0 ? "" : locate_(rva, size, error_);
        if (!bytes) return false;
        // Every resource is copied: together they cannot be larger than the
        // file unless entries share data, which no linker writes.
        copied_ += size;
        if (copied_ > dataLimit_) return fail("resource data entries overlap");
        ResourceData data;
        data.bytes.assign(bytes, size);
        data.codePage = codePage;
        if (!table_.emplace(key, std::move(data)).second) return fail("a resource appears twice");
        return true;
    }

    std::string_view section_;
    const ResourceDataLocator& locate_;
    std::uint64_t dataLimit_;
    ResourceTable& table_;
    std::map<std::uint64_t, std::uint64_t> directories_;  // start -> end of every directory read
    std::uint64_t claimed_ = 0;
    std::uint64_t copied_ = 0;
    std::string error_;
};

// The table grouped the way the directories nest.
struct NameNode {
    const ResourceName* name;
    std::vector<const ResourceTable::value_type*> languages;
};
struct TypeNode {
    const ResourceName* type;
    std::vector<NameNode> names;
};

std::vector<TypeNode> group(const ResourceTable& table) {
    std::vector<TypeNode> types;
    for (const auto& entry : table) {
        const ResourceKey& key = entry.first;
        if (types.empty() || !(*types.back().type == key.type)) types.push_back({&key.type, {}});
        std::vector<NameNode>& names = types.back().names;
        if (names.empty() || !(*names.back().name == key.name)) names.push_back({&key.name, {}});
        names.back().languages.push_back(&entry);
    }
    return types;
}

std::uint64_t directorySize(std::size_t entries) { return kDirectoryHeaderSize + kDirectoryEntrySize * entries; }
std::uint64_t nameSize(const ResourceName& n) { return n.named ? 2 + 2 * static_cast<std::uint64_t>(n.text.size()) : 0; }

void directoryHeader(ByteWriter& out, const std::vector<const ResourceName*>& names) {
    std::uint16_t named = 0;
    for (const ResourceName* n : names) named = static_cast<std::uint16_t>(named + (n->named ? 1 : 0));
    out.zeros(12);  // characteristics, time stamp, versions
    out.u16(named);
    out.u16(static_cast<std::uint16_t>(names.size() - named));
}

// The entry's name field: an id, or the offset of its name with the high bit.
std::uint32_t nameField(const ResourceName& n, std::uint64_t& nextName) {
    if (!n.named) return n.id;
    const std::uint32_t field = static_cast<std::uint32_t>(nextName) | kHighBit;
    nextName += nameSize(n);
    return field;
}

}  // namespace

ResourceName ResourceName::number(std::uint16_t id) {
    ResourceName n;
    n.id = id;
    return n;
}

ResourceName ResourceName::string(std::u16string text) {
    ResourceName n;
    n.named = true;
    n.text = std::move(text);
    return n;
}

bool operator<(const ResourceName& a, const ResourceName& b) {
    if (a.named != b.named) return a.named;  // names before ids
    if (!a.named) return a.id < b.id;
    const std::size_t n = std::min(a.text.size(), b.text.size());
    for (std::size_t i = 0; i < n; ++i) {
        char16_t x = folded(a.text[i]), y = folded(b.text[i]);
        if (x != y) return x < y;
    }
    if (a.text.size() != b.text.size()) return a.text.size() < b.text.size();
    return a.text < b.text;
}

bool operator==(const ResourceName& a, const ResourceName& b) {
    return a.named == b.named && (a.named ? a.text == b.text : a.id == b.id);
}

bool operator<(const ResourceKey& a, const ResourceKey& b) {
    if (a.type < b.type) return true;
    if (b.type < a.type) return false;
    if (a.name < b.name) return true;
    if (b.name < a.name) return false;
    return a.language < b.language;
}

bool operator==(const ResourceKey& a, const ResourceKey& b) {
    return a.type == b.type && a.name == b.name && a.language == b.language;
}

bool readResourceTree(std::string_view section, const ResourceDataLocator& locate, std::uint64_t dataLimit,
                      ResourceTable& table, std::string& error) {
    table.clear();
    TreeReader reader(section, locate, dataLimit, table);
    if (reader.readRoot()) return true;
    error = reader.error();
    table.clear();
    return false;
}

std::string writeResourceSection(const ResourceTable& table, std::uint32_t sectionRva) {
    const std::vector<TypeNode> types = group(table);

    // Sizes first: every offset is known before anything is written.
    // Counts and name lengths are 16-bit fields.
    auto tooLong = [](const ResourceName& n) { return n.text.size() > 0xFFFF; };
    std::uint64_t typeDirs = 0, nameDirs = 0, names = 0;
    bool fits = types.size() <= 0xFFFF;
    for (const TypeNode& t : types) {
        typeDirs += directorySize(t.names.size());
        names += nameSize(*t.type);
        fits = fits && t.names.size() <= 0xFFFF && !tooLong(*t.type);
        for (const NameNode& n : t.names) {
            nameDirs += directorySize(n.languages.size());
            names += nameSize(*n.name);
            fits = fits && n.languages.size() <= 0xFFFF && !tooLong(*n.name);
        }
    }
    const std::uint64_t rootSize = directorySize(types.size());
    const std::uint64_t dataEntries = rootSize + typeDirs + nameDirs;
    const std::uint64_t namesStart = dataEntries + kDataEntrySize * table.size();
    std::uint64_t dataStart = align8(namesStart + names);
    std::uint64_t end = dataStart;
    for (const auto& entry : table) end = align8(end + entry.second.bytes.size());
    if (!fits || static_cast<std::uint64_t>(sectionRva) + end > 0xFFFFFFFFull) return std::string();

    ByteWriter out;
    std::uint64_t nextTypeDir = rootSize, nextNameDir = rootSize + typeDirs, nextEntry = dataEntries;
    std::uint64_t nextName = namesStart;

    std::vector<const ResourceName*> level;
    for (const TypeNode& t : types) level.push_back(t.type);
    directoryHeader(out, level);
    for (const TypeNode& t : types) {
        out.u32(nameField(*t.type, nextName));
        out.u32(static_cast<std::uint32_t>(nextTypeDir) | kHighBit);
        nextTypeDir += directorySize(t.names.size());
    }
    for (const TypeNode& t : types) {
        level.clear();
        for (const NameNode& n : t.names) level.push_back(n.name);
        directoryHeader(out, level);
        for (const NameNode& n : t.names) {
            out.u32(nameField(*n.name, nextName));
            out.u32(static_cast<std::uint32_t>(nextNameDir) | kHighBit);
            nextNameDir += directorySize(n.languages.size());
        }
    }
    for (const TypeNode& t : types) {
        for (const NameNode& n : t.names) {
            out.zeros(12);
            out.u16(0);
            out.u16(static_cast<std::uint16_t>(n.languages.size()));
            for (const auto* entry : n.languages) {
                out.u32(entry->first.language);
                out.u32(static_cast<std::uint32_t>(nextEntry));
                nextEntry += kDataEntrySize;
            }
        }
    }
    std::uint64_t nextData = dataStart;
    for (const auto& entry : table) {
        out.u32(static_cast<std::uint32_t>(sectionRva + nextData));
        out.u32(static_cast<std::uint32_t>(entry.second.bytes.size()));
        out.u32(entry.second.codePage);
        out.u32(0);
        nextData = align8(nextData + entry.second.bytes.size());
    }
    // Names in the order their fields were handed out above.
    auto writeName = [&out](const ResourceName& n) {
        if (!n.named) return;
        out.u16(static_cast<std::uint16_t>(n.text.size()));
        for (char16_t c : n.text) out.u16(static_cast<std::uint16_t>(c));
    };
    for (const TypeNode& t : types) writeName(*t.type);
    for (const TypeNode& t : types)
        for (const NameNode& n : t.names) writeName(*n.name);
    out.zeros(static_cast<std::size_t>(dataStart - out.size()));
    for (const auto& entry : table) {
        out.bytes(entry.second.bytes);
        out.zeros(static_cast<std::size_t>(align8(out.size()) - out.size()));
    }
    return out.take();
}
