#pragma once
// The JDK 1.1 launcher hands its four sizes to the VM as 32-bit byte
// counts (vmbind/SizeNumber.h): a size of 2 GB or more wraps around there
// (4194304 KB becomes 0 bytes), so a JDK 1.1 project cannot hold one.

#include <optional>
#include <string>

#include "builder/engine/Project.h"

// Why the sizes of a JDK 1.1 project cannot be started, naming the first
// size too large and the limit; nullopt for a size that fits and for any
// other project version.
std::optional<std::string> jdk11SizeProblem(const Project& project);
