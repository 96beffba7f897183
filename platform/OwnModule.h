#pragma once
// The running program's own file and resources.

#include "platform/Text.h"

namespace platform {

// Full path of the running executable (GetModuleFileNameA into a 261-byte
// buffer on Windows; /proc/self/exe on Linux). Empty on failure.
Text ownModulePath();

// Bytes of the running executable's resource of numeric type `type` and id
// `id` (any language); false when there is none. A Linux program has no
// resources of its own: for the mode marker (1000/1) it answers "standard",
// for everything else nothing, so a Linux launcher reads its trailer.
bool ownResource(unsigned type, unsigned id, Text& bytes);

}  // namespace platform
