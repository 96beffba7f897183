#include "vmbind/IdleFolders.h"

#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/List.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"

namespace {

const unsigned kMostEntries = 64;  // looked through at every cached start: kept small
const unsigned kMostDepth = 4;
const unsigned kMostFiles = 32;  // files a folder may hold: the class path's, the executable's three

struct Walk {
    uint64_t allowed[kMostFiles];  // identities of the files a folder may hold
    unsigned files = 0;
    const char* runtimeTail = nullptr;  // the VM library's path below the runtime's folder ("/lib/server/libjvm.so")
    uint64_t runtime = 0;  // the VM library's identity
    unsigned entries = 0;
};

[[gnu::noinline]] uint64_t identityOf(const Text& path) {
    platform::FileStamp stamp;
    return platform::fileStamp(path.c_str(), stamp) ? stamp.identity : 0;
}

// Adds the identity of the file at `path`, if one; false when full.
[[gnu::noinline]] bool allow(Walk& walk, const Text& path) {
    const uint64_t identity = identityOf(path);
    if (identity == 0) return true;
    if (walk.files == kMostFiles) return false;
    walk.allowed[walk.files++] = identity;
    return true;
}

// Whether `folder` holds only allowed files, folders that do, and the
// runtime's folder.
bool isIdle(Walk& walk, const Text& folder, unsigned depth) {
    List<Text> names;
    if (depth > kMostDepth || !platform::folderEntries(folder.c_str(), names)) return false;
    for (size_t i = 0; i < names.size(); ++i) {
        if (++walk.entries > kMostEntries) return false;
        const Text path = folder + platform::kPathSeparator + names[i];
        const uint64_t identity = identityOf(path);
        if (identity != 0) {
            unsigned f = 0;
            while (f < walk.files && walk.allowed[f] != identity) ++f;
            if (f == walk.files) return false;
        } else if (walk.runtime == 0 || identityOf(path + walk.runtimeTail) != walk.runtime) {
            // A folder (else the listing fails), unless the runtime's own.
            if (!isIdle(walk, path, depth + 1)) return false;
        }
    }
    return true;
}

// The entry of `list` from `start` in `entry`; the start of the next one.
[[gnu::noinline]] size_t nextEntry(const Text& list, size_t start, Text& entry) {
    size_t end = list.find(platform::kListSeparator, start);
    if (end == Text::npos) end = list.size();
    entry = list.substr(start, end - start);
    return end + 1;
}

}  // namespace

bool moveIdleFolders(Text& classPath, const Text& executable, const Text& library) {
    Walk walk;
    size_t cut = executable.size();
    while (cut != 0 && !platform::isPathSeparator(executable[cut - 1])) --cut;
    allow(walk, executable);
    allow(walk, platform::companionPath(executable, ".options"));
    Text log = executable;
    log.resize(cut);
    allow(walk, log += "Log.txt");
    // The folder the VM library lies in, and the two above it, are the
    // runtime's own: lib/server/libjvm.so, bin\server\jvm.dll.
    cut = library.size();
    for (int up = 0; up < 3 && cut != 0; ++up)
        for (--cut; cut != 0 && !platform::isPathSeparator(library[cut]);) --cut;
    if (cut != 0) {
        walk.runtimeTail = library.c_str() + cut;
        walk.runtime = identityOf(library);
    }
    Text entry;
    for (size_t start = 0; start <= classPath.size();) {
        start = nextEntry(classPath, start, entry);
        if (!allow(walk, entry)) return false;
    }
    // Each entry followed by a separator, in front or behind.
    Text front, back;
    for (size_t start = 0; start <= classPath.size();) {
        start = nextEntry(classPath, start, entry);
        walk.entries = 0;
        Text& part = identityOf(entry) == 0 && isIdle(walk, entry.empty() ? Text(".") : entry, 0) ? back : front;
        part += entry;
        part += platform::kListSeparator;
    }
    if (back.empty()) return false;
    classPath = front;
    classPath += back;
    classPath.resize(classPath.size() - 1);
    return true;
}
