#include "vmbind/CacheFolder.h"

#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/PathSeparator.h"

namespace {

const size_t kMarkerMost = 8192;  // a marker names two paths
// Files without an archive are kept this long: a program started once a
// week still gets its archive on its third start.
const uint64_t kStaleDays = 30;

bool isHexName(const Text& name) {
    if (name.size() <= kCacheNameDigits || name[kCacheNameDigits] != '.') return false;
    for (size_t i = 0; i < kCacheNameDigits; ++i)
        if (!((name[i] >= '0' && name[i] <= '9') || (name[i] >= 'a' && name[i] <= 'f'))) return false;
    return true;
}

CacheEntry* entryOf(List<CacheEntry>& entries, const Text& name) {
    for (CacheEntry& entry : entries)
        if (entry.name == name) return &entry;
    entries.push_back(CacheEntry());
    entries.back().name = name;
    return &entries.back();
}

}  // namespace

bool startupCacheFolder(Text& folder, const char*& problem) {
    problem = "cannot be made";
#ifdef _WIN32
    if (!platform::startupVariable("LOCALAPPDATA", folder) || folder.empty()) return false;
    folder += "\\Caskit";
    platform::ensureFolder(folder.c_str());
    folder += "\\cache";
#else
    if (!platform::startupVariable("XDG_CACHE_HOME", folder) || !folder.startsWith("/")) {
        if (!platform::startupVariable("HOME", folder) || folder.empty()) return false;
        folder += "/.cache";
    }
    platform::ensureFolder(folder.c_str());
    folder += "/caskit";
#endif
    // A quote would end the path in the VM options' line.
    return folder.find('"') == Text::npos && platform::ensurePrivateFolder(folder.c_str(), problem);
}

// Kept out of line: inlined at each of its uses, the 64-bit multiply
// costs the 32-bit stub some 300 bytes.
[[gnu::noinline]] uint64_t cacheHash(uint64_t hash, const void* bytes, size_t size) {
    for (const unsigned char* p = static_cast<const unsigned char*>(bytes); size > 0; --size)
        hash = (hash ^ *p++) * kCacheHashPrime;
    return hash;
}

Text cacheFileName(const Text& executable, uint64_t key) {
    Text name;
    appendHex(name, cacheHash(kCacheHashStart, executable.data(), executable.size()));
    appendHex(name, key);
    return name;
}

bool listStartupCache(const Text& folder, List<CacheEntry>& entries) {
    List<Text> names;
    if (!platform::folderEntries(folder.c_str(), names)) return false;
    for (const Text& name : names) {
        platform::FileStamp stamp;
        if (!isHexName(name) || !platform::fileStamp((folder + platform::kPathSeparator + name).c_str(), stamp))
            continue;
        CacheEntry& entry = *entryOf(entries, name.substr(0, kCacheNameDigits));
        entry.bytes += stamp.size;
        if (stamp.written > entry.lastChange) entry.lastChange = stamp.written;
        const Text extension = name.substr(kCacheNameDigits);
        if (extension == ".m") entry.lastUse = stamp.written;
        if (extension == ".jsa") entry.archive = true;
    }
    return true;
}

void readCacheMarker(const Text& folder, const Text& name, Text& executable, Text& library) {
    using Mode = platform::File::Mode;
    platform::File file =
        platform::File::open((folder + platform::kPathSeparator + name + ".m").c_str(), Mode::ReadShared | Mode::NoLink);
    Text bytes;
    bool tooLarge = false;
    if (!platform::readSmallFile(file, kMarkerMost, bytes, tooLarge)) return;
    Text* into[] = {&executable, &library};
    size_t start = bytes.find('\n');
    for (Text* line : into) {
        const size_t end = start == Text::npos ? Text::npos : bytes.find('\n', start + 1);
        if (end == Text::npos) return;
        *line = bytes.substr(start + 1, end - start - 1);
        start = end;
    }
}

bool removeCacheEntry(const Text& folder, const Text& name) {
    using Mode = platform::File::Mode;
    const Text base = folder + platform::kPathSeparator + name;
    const Text lockPath = base + ".lck";
    platform::File lock = platform::File::open(lockPath.c_str(), Mode::Locked | Mode::NoLink);
    if (!lock.isOpen()) return false;
    // The marker first: what is left of a file still in use is no archive.
    bool removed = true;
    static const char* const kExtensions[] = {".m", ".jsa", ".new", ".lst"};  // read-only storage
    for (const char* extension : kExtensions) {
        const Text path = base + extension;
        removed &= platform::removeFile(path.c_str()) || !platform::fileExists(path.c_str());
    }
    // Linux removes a lock while it is held; Windows once it is closed.
    platform::removeFile(lockPath.c_str());
    lock.close();
    platform::removeFile(lockPath.c_str());
    return removed;
}

uint64_t startupCacheCap() {
    Text value;
    if (!platform::startupVariable("CASKIT_STARTUP_CACHE_MB", value) || value.empty() || value.size() > 9)
        return kDefaultCacheCap;
    uint64_t megabytes = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] < '0' || value[i] > '9') return kDefaultCacheCap;
        megabytes = megabytes * 10 + static_cast<unsigned>(value[i] - '0');
    }
    return megabytes << 20;
}

// One pass over the folder for each archive removed: the names change
// meanwhile, and a stale or least recently used archive is rare.
void tidyStartupCache(const Text& folder, const Text& keep, uint64_t cap) {
    const uint64_t now = platform::stampTimeNow();
    Text path = folder;
    path += platform::kPathSeparator;
    const size_t nameAt = path.size();
    for (;;) {
        List<Text> names;
        if (!platform::folderEntries(folder.c_str(), names)) return;
        uint64_t total = 0, oldestUse = ~uint64_t{0};
        Text oldest;
        for (const Text& name : names) {
            platform::FileStamp stamp, archive;
            path.resize(nameAt);
            if (!isHexName(name) || !platform::fileStamp((path += name).c_str(), stamp)) continue;
            total += stamp.size;
            if (!(name.substr(kCacheNameDigits) == ".m") || name.startsWith(keep.c_str())) continue;
            // A marker that has had no archive for 30 days goes whatever
            // the room.
            path.resize(path.size() - 2);
            const bool stale = !platform::fileStamp((path += ".jsa").c_str(), archive) &&
                               stamp.written + kStaleDays * platform::kStampDay < now;
            const uint64_t use = stale ? 0 : stamp.written;
            if (use < oldestUse) {
                oldestUse = use;
                oldest = name.substr(0, kCacheNameDigits);
            }
        }
        if ((total <= cap && oldestUse != 0) || oldest.empty() || !removeCacheEntry(folder, oldest)) return;
    }
}
