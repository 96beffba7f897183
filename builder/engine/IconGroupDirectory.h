#pragma once
// The RT_GROUP_ICON directory that lists icon images by resource id.

#include <cstdint>
#include <string>
#include <vector>

#include "builder/engine/Globals.h"

// 6 + 14 x n bytes: reserved 0, type 1, count n (16-bit each); then per
// image: width, height (8-bit each), colour count 0, reserved 0, planes 1
// (16-bit), bits per pixel (16-bit), image size (32-bit), resource id =
// baseId + image id (16-bit).
std::string buildIconGroupDirectory(const std::vector<const IconImage*>& images, std::uint16_t baseId);
