// caskit cache: the start-up caches of the user's programs on this
// system, listed or removed. The folder, the names and the markers are the
// launcher's own (vmbind/CacheFolder.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "platform/Folders.h"
#include "platform/PathSeparator.h"
#include "vmbind/CacheFolder.h"

namespace {

// A stamp's time as a local date and time.
std::string whenText(uint64_t stampTime) {
#ifdef _WIN32
    const std::time_t seconds = static_cast<std::time_t>((stampTime - 116444736000000000ull) / 10000000u);
#else
    const std::time_t seconds = static_cast<std::time_t>(stampTime / 1000000000u);
#endif
    char text[32] = "-";
    if (const std::tm* local = stampTime ? std::localtime(&seconds) : nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local);
    return text;
}

// The executable's full path as its launcher names itself.
std::string fullPath(const std::string& path) {
#ifdef _WIN32
    char full[1024];
    return _fullpath(full, path.c_str(), sizeof full) ? full : path;
#else
    Text resolved;
    return platform::resolvedPath(path.c_str(), resolved) ? std::string(resolved.data(), resolved.size()) : path;
#endif
}

bool samePath(const std::string& a, const Text& b) {
#ifdef _WIN32
    return a.size() == b.size() && _strnicmp(a.c_str(), b.c_str(), a.size()) == 0;
#else
    return a == std::string(b.data(), b.size());
#endif
}

int usage() {
    std::fprintf(stderr, "caskit cache: use \"caskit cache list\" or \"caskit cache clear --all|EXECUTABLE\"\n");
    return 2;
}

}  // namespace

int runCache(const std::vector<std::string>& words) {
    const bool list = words.size() == 1 && words[0] == "list";
    if (!list && !(words.size() == 2 && words[0] == "clear")) return usage();
    Text folder;
    const char* problem = nullptr;
    if (!startupCacheFolder(folder, problem)) {
        std::fprintf(stderr, "caskit cache: the folder %s %s\n", folder.c_str(), problem);
        return 1;
    }
    List<CacheEntry> entries;
    if (!listStartupCache(folder, entries)) {
        std::fprintf(stderr, "caskit cache: the folder %s cannot be read\n", folder.c_str());
        return 1;
    }
    if (list) {
        std::printf("%s\n", folder.c_str());
        for (const CacheEntry& entry : entries) {
            Text executable, library;
            readCacheMarker(folder, entry.name, executable, library);
            const char* state = entry.archive ? "" : " (no archive yet)";
            std::printf("%s\n    runtime %s, %.1f MB%s, last use %s\n",
                        executable.empty() ? "(unknown program)" : executable.c_str(),
                        library.empty() ? "(unknown)" : library.c_str(), static_cast<double>(entry.bytes) / (1 << 20),
                        state, whenText(entry.lastUse).c_str());
        }
        return 0;
    }
    const bool all = words[1] == "--all";
    const std::string executable = all ? std::string() : fullPath(words[1]);
    int removed = 0, kept = 0;
    for (const CacheEntry& entry : entries) {
        Text program, library;
        if (!all) readCacheMarker(folder, entry.name, program, library);
        if (!all && !samePath(executable, program)) continue;
        (removeCacheEntry(folder, entry.name) ? removed : kept)++;
    }
    std::printf("%d removed", removed);
    if (kept) std::printf(", %d in use left", kept);
    std::printf("\n");
    return 0;
}
