#include <windows.h>

#include "platform/Environment.h"
#include "platform/EnvironmentReader.h"

namespace platform {

List<Text> readProcessEnvironment() {
    List<Text> entries;
    char* block = GetEnvironmentStringsA();
    if (!block) return entries;
    for (const char* p = block; *p; p += lstrlenA(p) + 1) entries.push_back(Text(p));
    FreeEnvironmentStringsA(block);
    return entries;
}

bool setVariable(const char* name, const char* value) { return SetEnvironmentVariableA(name, value) != 0; }

bool setCurrentDirectory(const char* folder) { return SetCurrentDirectoryA(folder) != 0; }

}  // namespace platform
