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
}  // namespace platform
