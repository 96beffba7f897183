#include "platform/MessageText.h"

namespace platform {

static MessageHandler& handlerSlot() {
    static MessageHandler handler;
    return handler;
}

static int callHandler(void*, WindowRef owner, const char* text, const char* caption, unsigned style) {
    return handlerSlot()(owner, text, caption, style);
}

MessageHandler setMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    MessageHook hook;
    if (handlerSlot()) hook.show = callHandler;
    setMessageHook(hook);
    return previous;
}

}  // namespace platform
