#pragma once
// The running program's own file and resources.

#include <optional>
#include <string>

namespace platform {

// Full path of the running executable (GetModuleFileNameA into a 261-byte
// buffer on Windows; /proc/self/exe on Linux). Empty on failure.
std::string ownModulePath();

// Bytes of the running executable's resource of numeric type `type` and id
// `id` (any language). nullopt when there is none. A Linux program has no
// resources of its own: for the mode marker (1000/1) it answers "standard",
// for everything else nothing, so a Linux launcher reads its trailer.
std::optional<std::string> ownResource(unsigned type, unsigned id);

// Same for a resource whose type is a name, such as "EXE".
std::optional<std::string> ownResource(const std::string& typeName, unsigned id);

}  // namespace platform
