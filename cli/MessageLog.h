#pragma once
// caskit's reporter: prints what the engine reports, by severity. An error
// goes to standard error as one "caption: text" line and is counted: any
// error means the command failed. With a subject set, the line names the
// file the command is working on: "caption: subject: text". A warning is a
// note on work that goes on: "command: warning: text" on standard error
// (command as given, "caskit compile"), not counted. A note (what the work
// took on its own) is "command: text" on standard output. A notice about a
// file names it in place of the subject: "command: warning: file: text".

#include <cstddef>
#include <string>

#include "builder/engine/Reporter.h"

// `text` as one line: line breaks (a system error text ends in CR LF)
// become blanks, and trailing blanks are dropped.
std::string oneLine(const std::string& text);

class MessageLog : public Reporter {
public:
    explicit MessageLog(std::string command = "caskit") : command_(std::move(command)) {}
    void report(const Notice& notice) override;

    std::size_t count() const { return count_; }
    void setSubject(std::string subject) { subject_ = std::move(subject); }

private:
    std::string command_;
    std::size_t count_ = 0;
    std::string subject_;
};
