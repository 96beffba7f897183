#pragma once
// The separator between folder and file names on the running system.

namespace platform {
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
constexpr char kListSeparator = ';';
#else
constexpr char kPathSeparator = '/';
constexpr char kListSeparator = ':';
#endif

// Whether `c` separates folder names in a path: on Windows '/' as well.
constexpr bool isPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}
}  // namespace platform
