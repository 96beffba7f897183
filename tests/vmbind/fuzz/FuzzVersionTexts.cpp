// libFuzzer target: the readers of the version texts a runtime carries
// and a project sets, on arbitrary bytes: a `release` file, a version
// resource as GetFileVersionInfo gives it, and a version text read whole.
// A version read must print as a text that reads back to the same numbers
// (but for Java 1.0 and 1.1, which print as the old scheme reads them).
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "vmbind/JavaVersion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Text value;
    const char* problem = nullptr;
    releaseFileVersion(reinterpret_cast<const char*>(data), size, value, problem);
    JavaVersion version;
    fixedInfoVersion(data, size, version, problem);
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (readJavaVersion(text.c_str(), version, problem) && version.parts[0] > 1) {
        JavaVersion again;
        if (!readJavaVersion(versionText(version).c_str(), again, problem) ||
            compareWithBound(again, version) != 0 || compareWithBound(version, again) != 0)
            abort();
    }
    parseJavaVersion(text.c_str());
    return 0;
}
