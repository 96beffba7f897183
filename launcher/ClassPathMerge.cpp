// Completing the class-path list with "." and the system CLASSPATH.
#include "launcher/Environment.h"
#include "platform/Environment.h"
#include "platform/PathSeparator.h"

namespace {

// The entry that starts at or after `pos`, empty when only separators are
// left; `pos` moves to the separator after it. Working from a position keeps
// a long CLASSPATH linear.
Text pathEntryAt(const Text& text, size_t& pos, char separator) {
    size_t start = text.findFirstNotOf(separator, pos);
    if (start == Text::npos) {
        pos = text.size();
        return Text();
    }
    size_t end = text.find(separator, start);
    pos = end == Text::npos ? text.size() : end;
    return text.substr(start, pos - start);
}

}  // namespace

Text nextPathEntry(Text& text, char separator) {
    size_t pos = 0;
    Text entry = pathEntryAt(text, pos, separator);
    // The separator after the entry stays; the next call skips it.
    text.erase(0, pos);
    return entry;
}

Text nextPathEntry(Text& text) { return nextPathEntry(text, platform::kListSeparator); }

void mergeClassPath(List<Text>& classPath, ClassPathMode mode, const Text* systemClassPath, char separator) {
    if (!systemClassPath) return;
    const Text& rest = *systemClassPath;
    classPath.push_back(".");
    size_t insertAt = 0;
    size_t pos = 0;
    for (Text entry = pathEntryAt(rest, pos, separator); !entry.empty(); entry = pathEntryAt(rest, pos, separator)) {
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
