// Lookup in the start-up snapshot, shared by both platforms.
#include "platform/Environment.h"
#include "platform/EnvironmentReader.h"

namespace platform {

namespace {

// Taken during static initialisation, before the program changes anything.
// Built in place and never destroyed: it is needed until the process ends.
alignas(List<Text>) unsigned char gSnapshotStorage[sizeof(List<Text>)];
List<Text>* gSnapshot = nullptr;

const List<Text>& snapshot() {
    if (!gSnapshot) gSnapshot = new (gSnapshotStorage) List<Text>(readProcessEnvironment());
    return *gSnapshot;
}

const bool gSnapshotTaken = (snapshot(), true);

// Windows names compare without regard to case; Linux names are exact
// (classpath and CLASSPATH are two variables there).
char nameCase(char c) {
#ifdef _WIN32
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
#else
    return c;
#endif
}

bool sameName(const Text& entry, size_t nameLength, const char* name) {
    for (size_t i = 0; i < nameLength; ++i) {
        if (name[i] == '\0' || nameCase(entry[i]) != nameCase(name[i])) return false;
    }
    return name[nameLength] == '\0';
}

}  // namespace

const List<Text>& startupEnvironment() { return snapshot(); }

bool startupVariable(const char* name, Text& value) {
    for (const Text& entry : snapshot()) {
        // The name ends at the first '=' after the first character (Windows
        // keeps per-drive folders as entries such as "=C:=C:\").
        size_t eq = entry.find('=', 1);
        if (eq == Text::npos) continue;
        if (sameName(entry, eq, name)) {
            value = entry.substr(eq + 1);
            return true;
        }
    }
    return false;
}

}  // namespace platform
