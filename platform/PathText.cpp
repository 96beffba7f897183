#include "platform/PathText.h"

namespace platform {

bool beginsCharacter(const Text& text, size_t i) {
    size_t at = 0;
    while (at < i) at += isLeadByte(text[at]) ? 2 : 1;
    return at == i;
}

}  // namespace platform
