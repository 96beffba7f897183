#pragma once
// The resources of a PE image as a flat, ordered table keyed by type, name
// and language, with the one reader of a resource section's directory tree
// and the one writer of a new resource section.

#include <cstdint>
#include <map>
#include <string>

#include "builder/engine/PeImage.h"

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

// Reads the resource tree of `file` (headers in `image`) into `table`:
// exactly three levels (type, name, language), every offset, count and
// size checked, loops and shared directories refused. An image without a
// resource directory gives an empty table. False with a one-line reason
// in `error` on a malformed tree.
bool readResourceTree(const std::string& file, const PeImage& image, ResourceTable& table, std::string& error);

// A complete resource section for `table` placed at `sectionRva`: the
// directory tables (root, then every type's, then every name's), the data
// entries, the names, then the data, each resource's data aligned to 8
// bytes. Empty when a count or a name outgrows its 16-bit field or the
// section would not fit below 4 GiB.
std::string writeResourceSection(const ResourceTable& table, std::uint32_t sectionRva);
