#pragma once
// Which icon images a compile writes into the executable's icon group.

#include <vector>

#include "builder/engine/Globals.h"
#include "builder/engine/Project.h"

// The large slot's source comes first: every image of its icon file, or
// else its converted image. The small slot's source (its icon file's
// images, or its converted image) adds the images whose width and height
// none of the first source's images has, so the same file named twice adds
// nothing. Images keep their bytes as read; the first takes the id of its
// slot (0 large, 1 small) and each further image the next id. Empty when
// neither slot has an image.
std::vector<IconImage> iconSetToWrite(const Project& project);
