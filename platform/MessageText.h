#pragma once
// Message boxes for the builder and the command-line builder, with
// std::string texts, and a replaceable handler taking std::string texts.

#include <functional>
#include <string>

#include "platform/MessageBox.h"

namespace platform {

inline int showMessage(WindowRef owner, const std::string& text, const std::string& caption, unsigned style) {
    return showMessage(owner, text.c_str(), caption.c_str(), style);
}

using MessageHandler = std::function<int(WindowRef, const std::string& text, const std::string& caption, unsigned style)>;
// Installs a handler for every message (an empty function removes it);
// returns the previous one.
MessageHandler setMessageHandler(MessageHandler handler);

}  // namespace platform
