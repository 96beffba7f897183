#include "cli/MessageLog.h"

#include <cstdio>
#include <string>

std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text) out += (c == '\r' || c == '\n') ? ' ' : c;
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

MessageLog::MessageLog(std::string command) {
    previous_ = platform::setMessageHandler(
        [this, command](platform::WindowRef, const std::string& text, const std::string& caption, unsigned style) {
            if ((style & 0xF0) == platform::kMbIconInformation) {
                std::fprintf(stderr, "%s: warning: %s\n", command.c_str(), oneLine(text).c_str());
                std::fflush(stderr);
                return platform::kIdOk;
            }
            ++count_;
            const std::string subject = subject_.empty() ? std::string() : subject_ + ": ";
            std::fprintf(stderr, "%s: %s%s\n", caption.c_str(), subject.c_str(), oneLine(text).c_str());
            std::fflush(stderr);
            // Questions are answered "Cancel": nothing is decided without a user.
            return (style & 0xF) == platform::kMbYesNoCancel ? platform::kIdCancel : platform::kIdOk;
        });
}

MessageLog::~MessageLog() { platform::setMessageHandler(std::move(previous_)); }
