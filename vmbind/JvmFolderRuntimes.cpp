// The runtimes a Linux system installs under /usr/lib/jvm: the one the
// system names default-java, then every other, newest first. A runtime's
// version is the one its facts give (the JAVA_VERSION of its `release`
// file), or else what its folder's name says ("java-17-openjdk-amd64").
#include <string.h>

#include "platform/Folders.h"
#include "vmbind/JavaVersion.h"
#include "vmbind/RuntimeSearch.h"

namespace {

const char kJvmFolder[] = "/usr/lib/jvm";

struct Installed {
    Text name;
    JavaVersion version;
};

JavaVersion installedVersion(RuntimeSearch& search, const Text& home, const Text& name) {
    const Text library = homeLibrary(search, home);
    if (!library.empty()) {
        const RuntimeFacts facts = candidateFacts(search, kJvmFolder, library);
        if (facts.version.count) return facts.version;
    }
    return parseJavaVersion(name.c_str());
}

// Later versions first; equal versions by name.
bool comesBefore(const Installed& a, const Installed& b) {
    if (isLaterVersion(a.version, b.version)) return true;
    if (isLaterVersion(b.version, a.version)) return false;
    return strcmp(a.name.c_str(), b.name.c_str()) < 0;
}

}  // namespace

bool searchJvmFolder(RuntimeSearch& search) {
    const Text folder = kJvmFolder;
    if (examineHome(search, folder, joinPath(folder, "default-java"), false)) return true;
    List<Text> names;
    if (!platform::folderEntries(kJvmFolder, names)) return false;
    List<Installed> installed;
    for (const Text& name : names) {
        if (name.empty() || name[0] == '.') continue;  // .java-17-openjdk-amd64.jinfo and the like
        Installed entry{name, installedVersion(search, joinPath(folder, name.c_str()), name)};
        size_t at = 0;
        while (at < installed.size() && comesBefore(installed[at], entry)) ++at;
        installed.insert(at, static_cast<Installed&&>(entry));
    }
    for (const Installed& entry : installed)
        if (examineHome(search, folder, joinPath(folder, entry.name.c_str()), false)) return true;
    return false;
}
