#pragma once
// Reading the image file of an icon slot: a step of its own with its own
// result, which the front ends show.

#include <string>

#include "builder/engine/Project.h"
#include "builder/engine/Reporter.h"

enum class IconSlot { Large, Small };

struct IconLoad {
    bool ok = true;
    std::string problem;  // without ok: the reader's reason ("out of memory" when it had none)
    bool bitmap = false;  // read as a bitmap (".bmp" anywhere in the path)
};

// Reads the file the slot's stored path names into the slot: a bitmap
// converted to the slot's size, or an icon or cursor file's image of that
// size (else its first image converted) and an icon file's images as
// stored. A bitmap that cannot be read empties the slot, and its problem
// goes to `reporter` (when given) as a warning about the file; an icon or
// cursor file that cannot be read keeps the slot's images.
IconLoad readIconImages(Project& project, IconSlot slot, Reporter* reporter = nullptr);

// Stores `path` as the slot's path and, when it differs from the stored
// one (marking the project modified), reads its images as above.
IconLoad loadIcon(Project& project, IconSlot slot, const std::string& path, Reporter* reporter = nullptr);
