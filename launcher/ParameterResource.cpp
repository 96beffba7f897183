// The parameter resources (type 1000) of the running executable.
#include "launcher/LaunchParameters.h"
#include "platform/OwnModule.h"

size_t loadParameterResource(unsigned id, Text& buffer) {
    const unsigned kParameterResourceType = 1000;
    if (!platform::ownResource(kParameterResourceType, id, buffer)) buffer.clear();
    return buffer.size();
}
