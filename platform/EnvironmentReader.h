#pragma once
#include <string>
#include <vector>

namespace platform {
// NAME=VALUE entries of the live process environment (per system).
std::vector<std::string> readProcessEnvironment();
}  // namespace platform
