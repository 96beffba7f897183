#include "builder/engine/IconSet.h"

#include <algorithm>

namespace {

constexpr std::uint16_t kLargeId = 0;
constexpr std::uint16_t kSmallId = 1;

std::vector<const IconImage*> sourceImages(const std::vector<IconImage>& fileImages, const IconImage* slot) {
    std::vector<const IconImage*> images;
    for (const IconImage& image : fileImages) images.push_back(&image);
    if (images.empty() && slot && !slot->bytes.empty()) images.push_back(slot);
    return images;
}

}  // namespace

std::vector<IconImage> iconSetToWrite(const Project& project) {
    const std::vector<const IconImage*> first = sourceImages(project.largeIconFileImages(), project.largeIcon());
    const std::vector<const IconImage*> second = sourceImages(project.smallIconFileImages(), project.smallIcon());
    auto firstHasSize = [&first](const IconImage* image) {
        return std::any_of(first.begin(), first.end(), [image](const IconImage* f) {
            return f->width == image->width && f->height == image->height;
        });
    };
    std::vector<IconImage> out;
    std::uint16_t id = first.empty() ? kSmallId : kLargeId;
    for (const IconImage* image : first) {
        out.push_back(*image);
        out.back().id = id++;
    }
    for (const IconImage* image : second) {
        if (firstHasSize(image)) continue;
        out.push_back(*image);
        out.back().id = id++;
    }
    return out;
}
