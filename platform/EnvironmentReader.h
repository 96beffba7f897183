#pragma once
#include "platform/List.h"
#include "platform/Text.h"

namespace platform {
// NAME=VALUE entries of the live process environment (per system).
List<Text> readProcessEnvironment();
}  // namespace platform
