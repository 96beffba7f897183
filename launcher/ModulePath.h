#pragma once
// Splitting an executable's path into folder and file name.

#include "platform/Text.h"

// Folder (up to and including the last `separator`) and the name after it;
// both empty when `path` has no separator. The path is read by characters
// of the system's code page (platform/PathText.h).
void splitPathAt(const Text& path, char separator, Text& folder, Text& name);
