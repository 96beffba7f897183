#include "vmbind/RuntimeFacts.h"

#include <string.h>

#include "platform/Files.h"
#include "platform/PathSeparator.h"
#include "vmbind/PathRules.h"

#ifdef _WIN32
#include "platform/FileVersion.h"
#endif

namespace {

const uint64_t kMostReleaseBytes = 16384;
const unsigned kReleaseLevels = 5;

// Whether `folder` is a runtime's home, above which its `release` file is
// never looked for: it holds `bin` or `lib`, and it is not the `jre`
// inside a Java 8 JDK (whose `release` lies one level higher).
bool isRuntimeHome(const Text& folder) {
    const size_t n = folder.size();  // a full path: "jre" has a separator before it
    if (n > 3 && platform::isPathSeparator(folder[n - 4]) && memcmp(folder.c_str() + n - 3, "jre", 3) == 0)
        return false;
    for (const char* name = "bin\0lib\0"; *name; name += 4)
        if (platform::fileExists(joinPath(folder, name).c_str())) return true;
    return false;
}

void readReleaseVersion(RuntimeFacts& facts) {
    Text folder = parentFolder(facts.library);
    for (unsigned level = 0; level < kReleaseLevels && !folder.empty(); ++level, folder = parentFolder(folder)) {
        const Text path = joinPath(folder, "release");
        platform::File file = platform::File::open(path.c_str(), platform::File::Mode::ReadShared);
        if (!file.isOpen()) {
            if (isRuntimeHome(folder)) return;
            continue;
        }
        facts.releasePath = path;
        const char* problem = "cannot be read";
        Text bytes, value;
        bool tooLarge = false;
        if (platform::readSmallFile(file, kMostReleaseBytes, bytes, tooLarge)) {
            if (releaseFileVersion(bytes.data(), bytes.size(), value, problem)) {
                if (readJavaVersion(value.c_str(), facts.version, problem)) return;
                problem = "JAVA_VERSION not a version";
            }
        } else if (tooLarge) {
            problem = "file too large";
        }
        facts.releaseProblem = problem;
        return;
    }
}

}  // namespace

RuntimeFacts readRuntimeFacts(const Text& library) {
    RuntimeFacts facts;
    facts.library = library;
    facts.verdict = checkLibraryFile(library.c_str(), facts.machine);
#ifdef _WIN32
    Text info;
    const char* problem = nullptr;
    if (platform::fileVersionInfo(library.c_str(), info) &&
        fixedInfoVersion(reinterpret_cast<const unsigned char*>(info.data()), info.size(), facts.version, problem))
        return facts;
#endif
    readReleaseVersion(facts);
    return facts;
}
