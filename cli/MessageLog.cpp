#include "cli/MessageLog.h"

#include <cstdio>
#include <string>

std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text) out += (c == '\r' || c == '\n') ? ' ' : c;
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

void MessageLog::report(const Notice& notice) {
    // A notice names its own file, else an error names the command's.
    const bool own = !notice.subject.empty() || notice.severity != Severity::Error;
    const std::string& named = own ? notice.subject : subject_;
    const std::string subject = named.empty() ? std::string() : named + ": ";
    switch (notice.severity) {
    case Severity::Note: std::printf("%s: %s\n", command_.c_str(), notice.text.c_str()); return;
    case Severity::Warning:
        std::fprintf(stderr, "%s: warning: %s%s\n", command_.c_str(), subject.c_str(), oneLine(notice.text).c_str());
        break;
    case Severity::Error: {
        ++count_;
        std::fprintf(stderr, "%s: %s%s\n", notice.caption.c_str(), subject.c_str(), oneLine(notice.text).c_str());
        break;
    }
    }
    std::fflush(stderr);
}
