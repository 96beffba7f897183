// The replaceable message hook shared by both platforms' showMessage.
#include "platform/MessageBox.h"
#include "platform/MessageHookState.h"

namespace platform {

MessageHook& messageHookSlot() {
    static MessageHook hook;
    return hook;
}

MessageHook setMessageHook(MessageHook hook) {
    MessageHook previous = std::move(messageHookSlot());
    messageHookSlot() = std::move(hook);
    return previous;
}

}  // namespace platform
