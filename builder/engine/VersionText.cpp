#include "builder/engine/VersionText.h"

std::string versionText(const std::int16_t (&parts)[4]) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) text += '.';
        text += std::to_string(static_cast<std::uint16_t>(parts[i]));
    }
    return text;
}
