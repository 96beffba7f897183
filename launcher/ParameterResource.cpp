// The parameter resources (type 1000) of the running executable.
#include "launcher/LaunchParameters.h"
#include "platform/OwnModule.h"

namespace {
constexpr unsigned kParameterResourceType = 1000;
}

size_t loadParameterResource(unsigned id, Text& buffer) {
    if (!platform::ownResource(kParameterResourceType, id, buffer)) buffer.clear();
    return buffer.size();
}

const char* mappedParameterResource(unsigned id, size_t& size) {
    return platform::ownResourceBytes(kParameterResourceType, id, size);
}
