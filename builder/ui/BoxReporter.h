#pragma once
// The builder's reporter: an error as a message box with the warning icon,
// a warning with the information icon, over the owner window; a notice
// about a file as a plain box without owner, captioned with its path;
// notes are kept for the status bar.

#include <string>
#include <vector>

#include "builder/engine/Reporter.h"
#include "platform/MessageText.h"

class BoxReporter : public Reporter {
public:
    explicit BoxReporter(platform::WindowRef owner) : owner_(owner) {}
    void report(const Notice& notice) override;
    const std::vector<std::string>& notes() const { return notes_; }

private:
    platform::WindowRef owner_;
    std::vector<std::string> notes_;
};
