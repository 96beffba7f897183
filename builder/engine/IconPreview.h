#pragma once
// A displayable icon made from an icon image, for the icon page's preview.

#include "builder/engine/Globals.h"
#include "platform/Icons.h"

// Null for no image or an image without bytes; otherwise the system's icon
// made from the image bytes (header width, half the header height), or null
// when the system cannot make one. The caller owns the icon.
platform::IconRef iconHandleFor(const IconImage* image);
