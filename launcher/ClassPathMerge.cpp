// Completing the class-path list with "." and the system CLASSPATH.
#include <algorithm>

#include "launcher/Environment.h"
#include "platform/Environment.h"
#include "platform/PathSeparator.h"

std::string nextPathEntry(std::string& text, char separator) {
    std::size_t start = text.find_first_not_of(separator);
    if (start == std::string::npos) {
        text.clear();
        return std::string();
    }
    std::size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    std::string entry = text.substr(start, end - start);
    // The separator after the entry stays; the next call skips it.
    text.erase(0, end);
    return entry;
}

std::string nextPathEntry(std::string& text) { return nextPathEntry(text, platform::kListSeparator); }

void mergeClassPath(std::vector<std::string>& classPath, ClassPathMode mode,
                    const std::optional<std::string>& systemClassPath, char separator) {
    if (!systemClassPath) return;
    std::string rest = *systemClassPath;
    if (rest.empty() || rest.back() != separator) rest += separator;

    classPath.push_back(".");
    std::size_t insertAt = 0;
    for (std::string entry = nextPathEntry(rest, separator); !entry.empty();
         entry = nextPathEntry(rest, separator)) {
        if (mode == ClassPathMode::Ignore) continue;
        if (std::find(classPath.begin(), classPath.end(), entry) != classPath.end()) continue;
        if (mode == ClassPathMode::Append) {
            classPath.push_back(std::move(entry));
        } else {
            classPath.insert(classPath.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(entry));
            ++insertAt;
        }
    }
}

void mergeSystemClassPath(std::vector<std::string>& classPath, ClassPathMode mode) {
    mergeClassPath(classPath, mode, platform::startupVariable("CLASSPATH"), platform::kListSeparator);
}
