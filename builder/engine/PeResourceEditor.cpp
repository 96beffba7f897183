#include "builder/engine/PeResourceEditor.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr const char* kResourceSectionName = ".rsrc";

// The file bytes of the image's memory from `rva` to the end of its
// section's data, when a section holds [rva, rva + size) in memory and at
// least those `size` bytes in the file; else false with the reason, which
// names the bytes as `what`.
bool sectionBytes(const std::string& file, const PeImage& image, std::uint32_t rva, std::uint32_t size,
                  const char* what, std::string_view& bytes, std::string& error) {
    const int index = image.sectionHolding(rva, size);
    if (index < 0) {
        error = std::string(what) + " lies outside every section";
        return false;
    }
    const PeSection& s = image.sections[static_cast<std::size_t>(index)];
    const std::uint64_t inSection = static_cast<std::uint64_t>(rva) - s.virtualAddress;
    if (inSection > s.rawSize || size > s.rawSize - inSection) {
        error = std::string(what) + " lies past the end of its section's data in the file";
        return false;
    }
    bytes = std::string_view(file).substr(static_cast<std::size_t>(s.rawPointer + inSection),
                                          static_cast<std::size_t>(s.rawSize - inSection));
    return true;
}

bool zeros(const std::string& file, std::uint64_t at, std::size_t n) {
    if (at > file.size() || n > file.size() - at) return false;
    return std::all_of(file.begin() + static_cast<std::ptrdiff_t>(at),
                       file.begin() + static_cast<std::ptrdiff_t>(at + n), [](char c) { return c == '\0'; });
}

}  // namespace

bool PeResourceEditor::load(std::string file) {
    file_ = std::move(file);
    table_.clear();
    error_.clear();
    if (!readPeImage(file_, image_, error_)) return false;
    if (!image_.resources.present()) return true;
    std::string_view section;
    if (!sectionBytes(file_, image_, image_.resources.address, kResourceDirectoryHeaderSize, "the resource directory",
                      section, error_))
        return false;
    const ResourceDataLocator locate = [this](std::uint32_t rva, std::uint32_t size, std::string& error) {
        std::string_view data;
        return sectionBytes(file_, image_, rva, size, "resource data", data, error) ? data.data() : nullptr;
    };
    return readResourceTree(section, locate, file_.size(), table_, error_);
}

void PeResourceEditor::set(const ResourceKey& key, std::string bytes) { table_[key].bytes = std::move(bytes); }

bool PeResourceEditor::remove(const ResourceKey& key) { return table_.erase(key) != 0; }

bool PeResourceEditor::save(std::string& out) {
    error_.clear();
    if (image_.resources.present()) {
        const int index = image_.sectionHolding(image_.resources.address, 0);
        if (index >= 0) {
            const std::size_t i = static_cast<std::size_t>(index);
            const PeSection& s = image_.sections[i];
            const bool lastInMemory = i + 1 == image_.sections.size();
            if (lastInMemory && image_.resources.address == s.virtualAddress && s.rawSize != 0 &&
                s.rawEnd() == image_.rawDataEnd())
                return rebuildInPlace(i, out);
        }
    }
    return appendSection(out);
}

bool PeResourceEditor::rebuildInPlace(std::size_t index, std::string& out) {
    PeImage image = image_;
    PeSection& s = image.sections[index];
    const std::string content = writeResourceSection(table_, s.virtualAddress);
    if (content.empty()) {
        error_ = "the resources do not fit in the image";
        return false;
    }
    const std::uint64_t rawSize = alignUp(content.size(), image.fileAlignment);
    if (s.rawPointer + rawSize > 0xFFFFFFFFull) {
        error_ = "the resources do not fit in the file";
        return false;
    }
    out.clear();
    out.reserve(static_cast<std::size_t>(file_.size() + rawSize));
    out.append(file_, 0, s.rawPointer);
    out += content;
    out.append(static_cast<std::size_t>(rawSize - content.size()), '\0');
    out.append(file_, static_cast<std::size_t>(s.rawEnd()), std::string::npos);

    if (s.characteristics & kSectionInitializedData)
        image.sizeOfInitializedData = static_cast<std::uint32_t>(image.sizeOfInitializedData - s.rawSize + rawSize);
    s.virtualSize = static_cast<std::uint32_t>(content.size());
    s.rawSize = static_cast<std::uint32_t>(rawSize);
    image.sizeOfImage = static_cast<std::uint32_t>(alignUp(s.virtualEnd(), image.sectionAlignment));
    image.resources = {s.virtualAddress, static_cast<std::uint32_t>(content.size())};
    return finish(image, out);
}

bool PeResourceEditor::appendSection(std::string& out) {
    PeImage image = image_;
    if (image.sections.size() >= kPeMaxSections) {
        error_ = "the image already has 96 sections, the most it can have";
        return false;
    }
    const std::uint64_t tableEnd = image.sectionTableOffset + image.sections.size() * kPeSectionHeaderSize;
    if (image.headerRoom() < kPeSectionHeaderSize || !zeros(file_, tableEnd, kPeSectionHeaderSize)) {
        error_ = "the headers have no room for another section";
        return false;
    }
    std::uint64_t memoryEnd = image.sizeOfHeaders;
    for (const PeSection& s : image.sections) memoryEnd = std::max(memoryEnd, s.virtualEnd());
    const std::uint64_t rva = alignUp(memoryEnd, image.sectionAlignment);
    const std::uint64_t dataEnd = image.rawDataEnd();
    const std::uint64_t rawPointer = alignUp(dataEnd, image.fileAlignment);
    const std::string content = rva > 0xFFFFFFFFull ? std::string() : writeResourceSection(table_, static_cast<std::uint32_t>(rva));
    const std::uint64_t rawSize = alignUp(content.size(), image.fileAlignment);
    if (content.empty() || rva + content.size() > 0xFFFFFFFFull || rawPointer + rawSize > 0xFFFFFFFFull) {
        error_ = "the resources do not fit in the image";
        return false;
    }
    out.clear();
    out.reserve(static_cast<std::size_t>(file_.size() + (rawPointer - dataEnd) + rawSize));
    out.append(file_, 0, static_cast<std::size_t>(dataEnd));
    out.append(static_cast<std::size_t>(rawPointer - dataEnd), '\0');
    out += content;
    out.append(static_cast<std::size_t>(rawSize - content.size()), '\0');
    out.append(file_, static_cast<std::size_t>(dataEnd), std::string::npos);

    PeSection s;
    s.name = kResourceSectionName;
    s.virtualSize = static_cast<std::uint32_t>(content.size());
    s.virtualAddress = static_cast<std::uint32_t>(rva);
    s.rawSize = static_cast<std::uint32_t>(rawSize);
    s.rawPointer = static_cast<std::uint32_t>(rawPointer);
    s.characteristics = kSectionInitializedData | kSectionMemoryRead;
    image.sections.push_back(s);
    image.sizeOfInitializedData = static_cast<std::uint32_t>(image.sizeOfInitializedData + rawSize);
    image.sizeOfImage = static_cast<std::uint32_t>(alignUp(s.virtualEnd(), image.sectionAlignment));
    image.resources = {s.virtualAddress, s.virtualSize};
    return finish(image, out);
}

// Everything after the old image moved by the same distance: the
// certificate table's file offset follows it.
bool PeResourceEditor::finish(PeImage& image, std::string& out) {
    if (image.certificates.present()) {
        const std::uint64_t moved = static_cast<std::uint64_t>(image.certificates.address) + out.size() - file_.size();
        if (moved > 0xFFFFFFFFull) {
            error_ = "the certificate table would lie past 4 GiB";
            return false;
        }
        image.certificates.address = static_cast<std::uint32_t>(moved);
    }
    patchPeImage(out, image);
    return true;
}
