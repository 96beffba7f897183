#include "launcher/ModeMarker.h"

bool isStandardMarker(const Text& marker) {
    static const char kStandard[] = "standard";  // 8 bytes and the NUL
    return marker.equals(kStandard, 8) || marker.equals(kStandard, 9);
}
