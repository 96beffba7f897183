#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "platform/Environment.h"
#include "platform/EnvironmentReader.h"

extern char** environ;

namespace platform {

List<Text> readProcessEnvironment() {
    List<Text> entries;
    for (char** e = environ; e && *e; ++e) entries.push_back(Text(*e));
    return entries;
}

bool setVariable(const char* name, const char* value) {
    if (name[0] == '\0' || strchr(name, '=')) return false;
    return (value ? setenv(name, value, 1) : unsetenv(name)) == 0;
}

bool setCurrentDirectory(const char* folder) { return chdir(folder) == 0; }

Text currentFolderUtf8() {
    char buffer[4097];
    return getcwd(buffer, sizeof buffer) ? Text(buffer) : Text();
}

}  // namespace platform
