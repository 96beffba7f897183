#pragma once
// The class-path text handed to the VM.

#include <string>
#include <vector>

// Every entry followed by `separator`; empty for an empty list.
std::string joinClassPath(const std::vector<std::string>& classPath, char separator);

// JDK 1.2 launcher: "." + separator, then the discovered class library and
// a separator when the registered runtime is used and one was found, then
// the joined list.
std::string jdk12ClassPathText(const std::string& binaryPath, const std::string& classLib,
                               const std::string& joined, char separator);

// JDK 1.1 launcher: "." + separator + the joined list + the VM's default
// class path (none when the VM left it null).
std::string jdk11ClassPathText(const std::string& joined, const char* vmDefault, char separator);
