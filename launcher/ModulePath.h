#pragma once
// Splitting an executable's path into folder and file name.

#include <string>

// Folder (up to and including the last `separator`) and the name after it;
// both empty when `path` has no separator.
void splitPathAt(const std::string& path, char separator, std::string& folder, std::string& name);
