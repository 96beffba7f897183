// The project's two icon slots: reading the image file of each, and the
// preview icons.
#include <algorithm>
#include <cctype>
#include <new>

#include "builder/engine/BitmapFile.h"
#include "builder/engine/CodePage.h"
#include "builder/engine/DibLayout.h"
#include "builder/engine/IconFileReader.h"
#include "builder/engine/IconImageBuilder.h"
#include "builder/engine/IconLoading.h"
#include "builder/engine/IconPreview.h"
#include "builder/engine/Project.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

namespace {

constexpr int kLargeSize = 32;
constexpr int kSmallSize = 16;
constexpr std::uint16_t kLargeId = 0;
constexpr std::uint16_t kSmallId = 1;
constexpr std::int32_t kSlotBitsPerPixel = 8;
constexpr std::uint16_t kIconFileType = 1;  // a cursor file has 2
// The builder's own placeholder icons, shown while a slot is empty.
constexpr unsigned kLargePlaceholderIcon = 4;
constexpr unsigned kSmallPlaceholderIcon = 5;

bool namesBitmap(const std::string& path) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find(".bmp") != std::string::npos;
}

std::unique_ptr<IconImage> emptySlotImage(std::uint16_t id, int size) {
    auto image = std::make_unique<IconImage>();
    image->id = id;
    image->width = size;
    image->height = size;
    image->bitsPerPixel = kSlotBitsPerPixel;
    return image;
}

// The packed DIB of an icon file's image with the header height halved, so
// that it describes the colour picture alone.
std::string colourPictureOf(const IconImage& image) {
    std::string dib = image.bytes;
    ByteReader in(dib.data(), dib.size());
    DibHeader header;
    if (!readDibHeader(in, header)) return std::string();
    header.height /= 2;
    ByteWriter w;
    writeDibHeader(w, header);
    dib.replace(0, kDibHeaderSize, w.data());
    return dib;
}

// Reads an icon or cursor file into `slot`, and an icon file's images into
// `fileImages`. Raises the reader's errors with both unchanged.
void loadIconFile(const std::string& path, int size, std::uint16_t id, std::unique_ptr<IconImage>& slot,
                  std::vector<IconImage>& fileImages) {
    IconFile file = readIconFile(path);
    std::unique_ptr<IconImage> image = emptySlotImage(id, size);
    const IconImage* match = nullptr;
    for (const IconImage& candidate : file.images) {
        if (candidate.width == size && candidate.height == size && candidate.bitsPerPixel == kSlotBitsPerPixel &&
            !isPngImage(candidate))
            match = &candidate;
    }
    if (match) {
        // Taken over with its own mask, under the slot's resource id.
        *image = *match;
        image->id = id;
    } else if (!file.images.empty()) {
        if (makeIconImage(*image, colourPictureOf(file.images.front()), true)) makeMaskFromCorner(*image, 0, 0);
    }
    if (image->bytes.empty()) image.reset();
    slot = std::move(image);
    if (file.type == kIconFileType) fileImages = std::move(file.images);
    else fileImages.clear();
}

// Reads a bitmap into `slot`, left empty when that fails; false with the
// reason in `error` when the file could not be read.
bool loadBitmapFile(const std::string& path, int size, std::uint16_t id, std::unique_ptr<IconImage>& slot,
                    std::string& error) {
    slot.reset();
    std::unique_ptr<IconImage> image = emptySlotImage(id, size);
    const std::optional<std::string> dib = readBitmapFile(path, error);
    if (!dib) return false;
    if (!makeIconImage(*image, *dib, true)) return true;
    makeMaskFromCorner(*image, 0, 0);
    slot = std::move(image);
    return true;
}

}  // namespace

IconLoad readIconImages(Project& project, IconSlot slot, Reporter* reporter) {
    const bool large = slot == IconSlot::Large;
    const std::string& path = large ? project.largeIconPath() : project.smallIconPath();
    const int size = large ? kLargeSize : kSmallSize;
    const std::uint16_t id = large ? kLargeId : kSmallId;
    IconLoad load;
    load.bitmap = namesBitmap(path);
    std::unique_ptr<IconImage> image;
    std::vector<IconImage> fileImages;
    try {
        if (load.bitmap) load.ok = loadBitmapFile(ansiToSystem(path, project.textCodePage), size, id, image, load.problem);
        else loadIconFile(ansiToSystem(path, project.textCodePage), size, id, image, fileImages);
    } catch (const std::bad_alloc&) {
        load.ok = false;
    } catch (const XException& e) {
        load.ok = false;
        load.problem = e.what();
    }
    if (!load.ok && load.problem.empty()) load.problem = "out of memory";
    if (!load.ok && load.bitmap && reporter) reporter->report({Severity::Warning, std::string(), load.problem, path});
    // A bitmap leaves the slot empty when it fails; an icon file keeps it.
    if (!load.ok && !load.bitmap) return load;
    if (large) project.setLargeIcon(std::move(image), std::move(fileImages));
    else project.setSmallIcon(std::move(image), std::move(fileImages));
    return load;
}

IconLoad loadIcon(Project& project, IconSlot slot, const std::string& path, Reporter* reporter) {
    const bool large = slot == IconSlot::Large;
    if (path == (large ? project.largeIconPath() : project.smallIconPath())) return IconLoad();
    if (large) project.setLargeIconPath(path);
    else project.setSmallIconPath(path);
    return readIconImages(project, slot, reporter);
}

platform::IconRef iconHandleFor(const IconImage* image) {
    if (!image || image->bytes.empty()) return nullptr;
    ByteReader in(image->bytes.data(), image->bytes.size());
    DibHeader header;
    if (!readDibHeader(in, header)) return nullptr;
    return platform::iconFromImage(image->bytes.data(), image->bytes.size(), header.width, header.height / 2,
                                   image->bitsPerPixel);
}

void* Project::largeIconHandle() const {
    if (!largeIcon_ || largeIcon_->bytes.empty()) return platform::ownIcon(kLargePlaceholderIcon, kLargeSize);
    return iconHandleFor(largeIcon_.get());
}

void* Project::smallIconHandle() const {
    if (!smallIcon_ || smallIcon_->bytes.empty()) return platform::ownIcon(kSmallPlaceholderIcon, kSmallSize);
    return iconHandleFor(smallIcon_.get());
}
