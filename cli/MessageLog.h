#pragma once
// Routes every message the engine would show in a message box to standard
// error as one "caption: text" line, and counts them: any shown message
// means the command failed.

#include <cstddef>

#include "platform/MessageText.h"

class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::size_t count() const { return count_; }

private:
    std::size_t count_ = 0;
    platform::MessageHandler previous_;
};
