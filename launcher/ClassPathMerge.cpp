// Completing the class-path list with "." and the system CLASSPATH.
#include "launcher/Environment.h"
#include "platform/Environment.h"
#include "platform/PathSeparator.h"

Text nextPathEntry(Text& text, char separator) {
    size_t start = text.findFirstNotOf(separator);
    if (start == Text::npos) {
        text.clear();
        return Text();
    }
    size_t end = text.find(separator, start);
    if (end == Text::npos) end = text.size();
    Text entry = text.substr(start, end - start);
    // The separator after the entry stays; the next call skips it.
    text.erase(0, end);
    return entry;
}

Text nextPathEntry(Text& text) { return nextPathEntry(text, platform::kListSeparator); }

void mergeClassPath(List<Text>& classPath, ClassPathMode mode, const Text* systemClassPath, char separator) {
    if (!systemClassPath) return;
    Text rest = *systemClassPath;
    if (rest.empty() || rest.back() != separator) rest += separator;

    classPath.push_back(".");
    size_t insertAt = 0;
    for (Text entry = nextPathEntry(rest, separator); !entry.empty(); entry = nextPathEntry(rest, separator)) {
        if (mode == ClassPathMode::Ignore) continue;
        if (classPath.contains(entry)) continue;
        if (mode == ClassPathMode::Append) {
            classPath.push_back(static_cast<Text&&>(entry));
        } else {
            classPath.insert(insertAt, static_cast<Text&&>(entry));
            ++insertAt;
        }
    }
}

void mergeSystemClassPath(List<Text>& classPath, ClassPathMode mode) {
    Text value;
    const bool set = platform::startupVariable("CLASSPATH", value);
    mergeClassPath(classPath, mode, set ? &value : nullptr, platform::kListSeparator);
}
