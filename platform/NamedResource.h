#pragma once
// The builder's own resources whose type is a name, such as "EXE".

#include <optional>
#include <string>

namespace platform {

// Bytes of the running executable's resource `typeName`/`id` (any
// language); nullopt when there is none (always on Linux).
std::optional<std::string> ownNamedResource(const std::string& typeName, unsigned id);

}  // namespace platform
