#pragma once
#include "platform/MessageBox.h"

namespace platform {
// The installed hook, empty when none (used by the platform implementations).
MessageHook& messageHookSlot();
}  // namespace platform
