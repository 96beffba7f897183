#include "launcher/ModeMarker.h"

bool isStandardMarker(const std::string& marker) {
    static const char kStandard[] = "standard";  // 8 bytes and the NUL
    return marker == std::string(kStandard, 8) || marker == std::string(kStandard, 9);
}
