#pragma once
// Changing the resources of a PE32 or PE32+ file held in memory, without
// any system call: the counterpart of the Win32 resource update on systems
// that lack it. Like an update that keeps existing resources, a change
// replaces or deletes one type/name/language and leaves every other
// resource as it was.
//
// Placing the new resource section: when the resource section is the last
// section in memory and in the file and starts with the resource
// directory, it is rebuilt in place; otherwise
// (another section such as .reloc follows it, or the image has none) the
// resources move to a new last section and the old section stays as unused
// data, so that no code or data address of the image changes. Data after
// the image (an appended trailer, a certificate table) is kept after the
// new section; the certificate table's offset follows it.

#include <string>

#include "builder/engine/PeImage.h"
#include "builder/engine/ResourceTree.h"

class PeResourceEditor {
public:
    // Reads the headers and the resource tree. False on a malformed file,
    // with the reason in error().
    bool load(std::string file);

    const ResourceTable& resources() const { return table_; }
    // Adds the resource or replaces the one with the same key.
    void set(const ResourceKey& key, std::string bytes);
    // Deletes the resource; false when there was none.
    bool remove(const ResourceKey& key);

    // The whole new file with the new resource section, sizes, resource
    // data directory and header checksum. False when the section cannot be
    // placed (no room for another section header, 96 sections already, or
    // past 4 GiB), with the reason in error().
    bool save(std::string& out);

    const std::string& error() const { return error_; }

private:
    bool rebuildInPlace(std::size_t index, std::string& out);
    bool appendSection(std::string& out);
    bool finish(PeImage& image, std::string& out);

    std::string file_;
    PeImage image_;
    ResourceTable table_;
    std::string error_;
};
