#include "builder/engine/IconResources.h"

#include <new>

#include "builder/engine/IconGroupDirectory.h"
#include "platform/ByteWriter.h"
#include "builder/engine/ResourceTransaction.h"

namespace {

constexpr unsigned kNeutralLanguage = 0;

std::uint16_t resourceId(const IconImage& image, std::uint16_t baseId) {
    return static_cast<std::uint16_t>(baseId + image.id);
}

}  // namespace

std::string buildIconGroupDirectory(const std::vector<const IconImage*>& images, std::uint16_t baseId) {
    ByteWriter w;
    w.u16(0);
    w.u16(1);
    w.u16(static_cast<std::uint16_t>(images.size()));
    for (const IconImage* image : images) {
        w.u8(static_cast<std::uint8_t>(image->width));
        w.u8(static_cast<std::uint8_t>(image->height));
        w.u8(0);
        w.u8(0);
        w.u16(1);
        w.u16(static_cast<std::uint16_t>(image->bitsPerPixel));
        w.u32(static_cast<std::uint32_t>(image->size()));
        w.u16(resourceId(*image, baseId));
    }
    return w.take();
}

bool writeIconResources(const std::vector<const IconImage*>& images, const std::string& targetPath,
                        std::uint16_t baseId, std::string* error) {
    ResourceTransaction update;
    // The file's own icons and icon groups go, whatever their language, so
    // that the one group left names icons that each exist once.
    if (!update.beginWithout(targetPath, {platform::kRtIcon, platform::kRtGroupIcon}))
        throw XException("exe not found");
    // From here every way out that does not commit discards the update
    // (the ResourceTransaction destructor).
    const auto failed = [&](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    if (images.size() > 0xFFFF) return failed("more than 65535 icon images");
    // An empty resource would delete the icon instead of writing it.
    for (const IconImage* image : images)
        if (!image || image->bytes.empty()) return failed("an icon image without bytes");
    std::string directory;
    try {
        directory = buildIconGroupDirectory(images, baseId);
    } catch (const std::bad_alloc&) {
        throw XMemoryException();
    }
    for (const IconImage* image : images) {
        if (!update.update(platform::kRtIcon, resourceId(*image, baseId), kNeutralLanguage, image->bytes.data(),
                           image->size()))
            return failed(update.errorText());
    }
    if (!update.update(platform::kRtGroupIcon, baseId, kNeutralLanguage, directory.data(), directory.size()) ||
        !update.commit())
        return failed(update.errorText());
    return true;
}
