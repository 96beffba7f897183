#pragma once
// Writing icon images into an executable as RT_ICON and RT_GROUP_ICON
// resources (language 0) in one resource-update transaction, in place of
// the icons and icon groups the file had (of every language).

#include <cstdint>
#include <string>
#include <vector>

#include "builder/engine/Globals.h"

// Images in list order; each RT_ICON id is baseId + image id; the group
// is baseId. Returns the result of ending the update, with the reason of a
// failure in `error` when given. Raises XException
// "exe not found" when the target cannot be opened for update, and
// XMemoryException on allocation failure (the update is then discarded).
bool writeIconResources(const std::vector<const IconImage*>& images, const std::string& targetPath,
                        std::uint16_t baseId, std::string* error = nullptr);
