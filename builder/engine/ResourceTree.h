#pragma once
// The resources of a PE image as a flat, ordered table keyed by type, name
// and language, with the one reader of a resource section's directory tree
// and the one writer of a new resource section. This knows the resource
// section's own layout only; where the section and each resource's data
// lie in an image file is its caller's business.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

// A resource type or name: a 16-bit id, or a UTF-16 name.
struct ResourceName {
    bool named = false;
    std::uint16_t id = 0;
    std::u16string text;

    static ResourceName number(std::uint16_t id);
    static ResourceName string(std::u16string text);
};

// The order a resource directory lists its entries in: named entries
// first, sorted by their names compared without regard to the case of
// A-Z (then exactly), then numbered entries by ascending id.
bool operator<(const ResourceName& a, const ResourceName& b);
bool operator==(const ResourceName& a, const ResourceName& b);

struct ResourceKey {
    ResourceName type;
    ResourceName name;
    std::uint16_t language = 0;
};
bool operator<(const ResourceKey& a, const ResourceKey& b);
bool operator==(const ResourceKey& a, const ResourceKey& b);

struct ResourceData {
    std::string bytes;
    std::uint32_t codePage = 0;
};

using ResourceTable = std::map<ResourceKey, ResourceData>;

// The header of a resource directory table: the least a tree's root takes.
constexpr std::size_t kResourceDirectoryHeaderSize = 16;

// Finds one resource's data from its data entry's RVA and size (never 0):
// a pointer to `size` bytes, or null with a one-line reason in `error`.
using ResourceDataLocator = std::function<const char*(std::uint32_t rva, std::uint32_t size, std::string& error)>;

// Reads the resource tree whose root directory starts `section` (the
// bytes from there to the end of the section's data) into `table`:
// exactly three levels (type, name, language), every offset, count and
// size checked. Refused: a directory that overlaps another (a loop, or
// directories sharing entries), data that together exceed `dataLimit`
// bytes, and a tree whose directories, data entries and names, counted
// each time an entry uses them, take more bytes than `section` holds (so
// what is read stays in proportion to the file). False with a one-line
// reason in `error`.
bool readResourceTree(std::string_view section, const ResourceDataLocator& locate, std::uint64_t dataLimit,
                      ResourceTable& table, std::string& error);

// A complete resource section for `table` placed at `sectionRva`: the
// directory tables (root, then every type's, then every name's), the data
// entries, the names, then the data, each resource's data aligned to 8
// bytes. Empty when a count or a name outgrows its 16-bit field or the
// section would not fit below 4 GiB.
std::string writeResourceSection(const ResourceTable& table, std::uint32_t sectionRva);
