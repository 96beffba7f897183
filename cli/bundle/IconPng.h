#pragma once
// The PNG files of a Linux desktop entry, made from the images of the
// project's Windows icons: a PNG-compressed image as it is, a DIB image
// decoded (its alpha channel, else its mask, gives the transparency).

#include <string>
#include <vector>

struct IconImage;

namespace bundle {

struct PngIcon {
    int size = 0;  // width and height
    std::string bytes;
};

// The square images of `images` as PNG files, one per size (the deepest
// image of each size); images that cannot be read are left out.
std::vector<PngIcon> pngIcons(const std::vector<IconImage>& images);

}  // namespace bundle
