#pragma once
// Routes every message the engine would show in a message box to standard
// error as one "caption: text" line, and counts them: any shown message
// means the command failed. With a subject set, the line names the file
// the command is working on: "caption: subject: text". An information
// message is a note on work that goes on: it becomes a warning line,
// "command: warning: text" (command as given, "caskit compile"), and is
// not counted.

#include <cstddef>
#include <string>

#include "platform/MessageText.h"

// `text` as one line: line breaks (a system error text ends in CR LF)
// become blanks, and trailing blanks are dropped.
std::string oneLine(const std::string& text);

class MessageLog {
public:
    explicit MessageLog(std::string command = "caskit");
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::size_t count() const { return count_; }
    void setSubject(std::string subject) { subject_ = std::move(subject); }

private:
    std::size_t count_ = 0;
    std::string subject_;
    platform::MessageHandler previous_;
};
