#pragma once
// Records every message box shown (caption, text, style, and whether it
// had no owner window) instead of showing it, for tests of which failure
// is reported.

#include <string>
#include <utility>
#include <vector>

#include "platform/MessageText.h"

namespace caskit_test {

struct ShownMessage {
    std::string caption;
    std::string text;
    unsigned style;
    bool ownerless;
};

class MessageRecorder {
public:
    MessageRecorder() {
        previous_ = platform::setMessageHandler([this](platform::WindowRef owner, const std::string& text,
                                                    const std::string& caption, unsigned style) {
            shown.push_back({caption, text, style, owner == nullptr});
            return platform::kIdOk;
        });
    }
    ~MessageRecorder() { platform::setMessageHandler(std::move(previous_)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<ShownMessage> shown;

private:
    platform::MessageHandler previous_;
};

}  // namespace caskit_test
