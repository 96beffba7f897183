#pragma once
// Making icon images in resource form from packed DIBs: the colour part
// converted to the image's size and depth, the mask all opaque or made
// transparent wherever the corner colour shows.

#include <string>

#include "builder/engine/Globals.h"

// Fills `image` (width, height and bitsPerPixel already set) from the
// packed DIB `source`: converted colour rows, palette, header with the
// doubled height, mask all 0 (opaque). An empty or unreadable source, or a
// failed conversion, fails and leaves the image without bytes.
bool makeIconImage(IconImage& image, const std::string& source, bool stretch);

// Sets the mask bit of every pixel whose colour equals the colour of pixel
// (x, y) (y = 0 is the top row as displayed) and makes that pixel black;
// clears every other mask bit. False, with the image unchanged, when the
// image bytes do not hold a whole image or (x, y) is outside it.
bool makeMaskFromCorner(IconImage& image, int x, int y);
