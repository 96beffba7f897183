// The parameter resources (type 1000) of the running executable.
#include "launcher/LaunchParameters.h"
#include "platform/OwnModule.h"
#include "platform/ResourceUpdate.h"

std::size_t loadParameterResource(unsigned id, std::string& buffer) {
    std::optional<std::string> bytes = platform::ownResource(platform::kParameterResourceType, id);
    buffer = bytes ? std::move(*bytes) : std::string();
    return buffer.size();
}
