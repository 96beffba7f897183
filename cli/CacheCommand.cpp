// caskit cache: the start-up caches of the user's programs on this
// system, listed or removed. The folder, the names and the markers are the
// launcher's own (vmbind/CacheFolder.h).
#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "platform/Folders.h"
#include "platform/PathSeparator.h"
#include "vmbind/CacheFolder.h"

namespace {

// A stamp's time as a date and time in UTC (days to a civil date by
// Howard Hinnant's method: the C library of Windows 95 has no time
// functions the import check allows).
std::string whenText(uint64_t stampTime) {
    if (!stampTime) return "-";
#ifdef _WIN32
    const long long seconds = static_cast<long long>((stampTime - 116444736000000000ull) / 10000000u);
#else
    const long long seconds = static_cast<long long>(stampTime / 1000000000u);
#endif
    const long long days = seconds / 86400 + 719468, era = days / 146097, dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153, day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const long long month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2);
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld UTC", year, month, day, seconds % 86400 / 3600,
                  seconds % 3600 / 60);
    return text;
}

// The executable's full path as its launcher names itself.
std::string fullPath(const std::string& path) {
#ifdef _WIN32
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? full : path;
#else
    Text resolved;
    return platform::resolvedPath(path.c_str(), resolved) ? std::string(resolved.data(), resolved.size()) : path;
#endif
}

bool samePath(const std::string& a, const Text& b) {
#ifdef _WIN32
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
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
