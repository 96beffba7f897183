#pragma once
// The path of folder `target` relative to folder `base`, as the pickers'
// "Relative Path" option gives it (portable; unit-tested on the host).

#include <string>

std::string relativePath(const std::string& target, const std::string& base);
