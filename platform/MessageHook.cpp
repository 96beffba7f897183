// The replaceable message hook shared by both platforms' showMessage.
#include "platform/MessageBox.h"
#include "platform/MessageHookState.h"

namespace platform {

static MessageHook gHook;

const MessageHook& installedMessageHook() { return gHook; }

MessageHook setMessageHook(MessageHook hook) {
    MessageHook previous = gHook;
    gHook = hook;
    return previous;
}

}  // namespace platform
