#pragma once
// Records every message the engine shows (caption and text) instead of
// printing it, for tests of which failure is reported.

#include <string>
#include <vector>

#include "platform/MessageBox.h"

struct ShownMessage {
    std::string caption;
    std::string text;
    unsigned style;
};

class MessageRecorder {
public:
    MessageRecorder() {
        previous_ = platform::setMessageHook([this](platform::WindowRef, const std::string& text,
                                                    const std::string& caption, unsigned style) {
            shown.push_back({caption, text, style});
            return platform::kIdOk;
        });
    }
    ~MessageRecorder() { platform::setMessageHook(std::move(previous_)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<ShownMessage> shown;

private:
    platform::MessageHook previous_;
};
