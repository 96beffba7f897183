#pragma once
#include "platform/MessageBox.h"

namespace platform {
// The installed hook (used by the platform implementations of showMessage).
const MessageHook& installedMessageHook();
}  // namespace platform
