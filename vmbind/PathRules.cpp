#include "vmbind/PathRules.h"

#include "platform/PathSeparator.h"
#include "platform/PathText.h"

bool isAbsolutePath(const Text& path) {
    const char* p = path.c_str();
#ifdef _WIN32
    const char c = static_cast<char>(p[0] | 0x20);
    return (c >= 'a' && c <= 'z' && p[1] == ':' && platform::isPathSeparator(p[2])) || (p[0] == '\\' && p[1] == '\\');
#else
    return p[0] == '/';
#endif
}

const char* pathProblem(const Text& value) {
    if (value.empty()) return "empty";
    for (size_t i = 0; i < value.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (platform::isLeadByte(value[i])) {  // its second byte may be '|' (0x7C)
            ++i;
            continue;
        }
#ifdef _WIN32
        if (c == '<' || c == '>' || c == '"' || c == '|' || c == '*') return "not a path";
#endif
        if (c < 0x20) return "not a path";
    }
    return isAbsolutePath(value) ? nullptr : "not a path";
}

Text unquoted(const Text& value) {
    if (value.size() >= 2 && value[0] == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

Text parentFolder(const Text& path) {
    size_t end = path.size();
    while (end > 0 && platform::isSeparatorAt(path, end - 1)) --end;
    while (end > 0 && !platform::isSeparatorAt(path, end - 1)) --end;
    while (end > 1 && platform::isSeparatorAt(path, end - 1)) --end;
    return path.substr(0, end);
}

Text joinPath(const Text& folder, const char* name) {
    Text path = folder;
    if (!path.empty() && !platform::isSeparatorAt(path, path.size() - 1)) path += platform::kPathSeparator;
    return path + name;
}
