#include "vmbind/ClassPathText.h"

#include "platform/Folders.h"
#include "platform/PathSeparator.h"
#include "vmbind/LibraryLoading.h"

Text joinClassPath(const List<Text>& classPath, char separator) {
    Text text;
    for (const Text& entry : classPath) {
        text += entry;
        text += separator;
    }
    return text;
}

Text jdk12ClassPathText(const Text& binaryPath, const Text& classLib, const Text& joined, char separator) {
    Text text = Text(".") + separator;
    if (binaryPath == kInternalRuntime && !classLib.empty()) text += classLib + separator;
    return text + joined;
}

Text jdk11ClassPathText(const Text& joined, const char* vmDefault, char separator) {
    Text text = Text(".") + separator + joined;
    if (vmDefault) text += vmDefault;
    return text;
}

namespace {

// `entry` resolved against `base`. On Windows a path with a drive ("C:\x",
// also "C:x") or a network path ("\\server\share") stays as it is, and a
// path from the root of a drive ("\lib") gets the base's drive.
Text absoluteEntry(const Text& entry, const Text& base) {
    if (entry.empty() || entry == ".") return base;
#ifdef _WIN32
    if (entry.size() > 1 && entry[1] == ':') return entry;
    if (platform::isPathSeparator(entry[0])) {
        const bool baseHasDrive = base.size() > 1 && base[1] == ':';
        return baseHasDrive && !platform::isPathSeparator(entry[1]) ? base.substr(0, 2) + entry : entry;
    }
#else
    if (entry[0] == '/') return entry;
#endif
    return base + entry;
}

bool isJarName(const Text& name) {
    const size_t n = name.size();
    if (n < 5 || name[n - 4] != '.') return false;
    const char* end = name.c_str() + n - 3;
    return (end[0] == 'j' && end[1] == 'a' && end[2] == 'r') || (end[0] == 'J' && end[1] == 'A' && end[2] == 'R');
}

// Appends `entry` and a separator, or each jar file it stands for and a
// separator.
void addEntry(Text& text, const Text& entry, char separator, List<Text>& unlisted) {
    const size_t n = entry.size();
    if (n == 0 || entry[n - 1] != '*' || (n > 1 && !platform::isPathSeparator(entry[n - 2]))) {
        text += entry;
        text += separator;
        return;
    }
    const Text folder = entry.substr(0, n - 1);
    List<Text> names;
    if (!platform::folderEntries(folder.empty() ? "." : folder.c_str(), names)) unlisted.push_back(entry);
    for (const Text& name : names) {
        if (!isJarName(name)) continue;
        text += folder;
        text += name;
        text += separator;
    }
}

}  // namespace

Text vmClassPathText(const Text& text, const Text* base, char separator, List<Text>& unlisted) {
    Text result;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        const Text entry = text.substr(start, end == Text::npos ? Text::npos : end - start);
        addEntry(result, base ? absoluteEntry(entry, *base) : entry, separator, unlisted);
        if (end == Text::npos) break;
        start = end + 1;
    }
    // Every entry was followed by a separator: the last one is not.
    if (!result.empty()) result.resize(result.size() - 1);
    return result;
}
