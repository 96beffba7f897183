#pragma once
// The start-up cache's folder as the launcher and `caskit cache` both see
// it: where it is, how an archive's files are named, what the folder
// holds, and its housekeeping (files left over, the size cap).
//
// An archive's files are named by 32 hexadecimal digits, the hash of the
// executable's path and then the archive's key, and an extension (".m",
// ".lst", ".new", ".jsa", ".lck", and ".m." with a process id for a marker
// being written). Each configuration of an executable has its own.

#include <stdint.h>

#include "platform/List.h"
#include "platform/Text.h"
#include "vmbind/CacheState.h"

const size_t kCacheNameDigits = 32;
const uint64_t kDefaultCacheCap = 512ull << 20;

// $XDG_CACHE_HOME/caskit (an absolute one; else ~/.cache/caskit) or
// %LOCALAPPDATA%\Caskit\cache, made when missing; false (with the folder
// tried in `folder`, and in `problem` why) when there is none, or one that
// others could change (platform::ensurePrivateFolder).
bool startupCacheFolder(Text& folder, const char*& problem);

// The 64-bit hash (FNV-1a) of `size` bytes, continuing `hash`
// (kCacheHashStart starts one).
const uint64_t kCacheHashStart = 0xcbf29ce484222325ull;
const uint64_t kCacheHashPrime = 0x100000001b3ull;
uint64_t cacheHash(uint64_t hash, const void* bytes, size_t size);

// The name of the files of the archive of `key` for the executable at
// `executable` (its full path).
Text cacheFileName(const Text& executable, uint64_t key);

// One archive's files in the cache folder.
struct CacheEntry {
    Text name;                // the files' name without extension
    uint64_t bytes = 0;       // of all its files
    uint64_t lastUse = 0;     // when its marker was written (platform::FileStamp time), 0 for none
    uint64_t lastChange = 0;  // when any of its files was last written
    bool archive = false;     // a .jsa file is there
};

// The archives of `folder`; false when it cannot be read.
bool listStartupCache(const Text& folder, List<CacheEntry>& entries);

// The executable and the runtime library the marker of `name` names
// (empty when it names none).
void readCacheMarker(const Text& folder, const Text& name, Text& executable, Text& library);

// Removes the files of `name` unless another process holds its lock;
// false when any is left.
bool removeCacheEntry(const Text& folder, const Text& name);

// The cap in bytes: CASKIT_STARTUP_CACHE_MB megabytes when that is a
// number, else kDefaultCacheCap.
uint64_t startupCacheCap();

// Removes the files of every marker without an archive for 30 days, then
// those of the least recently used markers (the oldest marker time) until
// all the files take at most `cap` bytes; never those of `keep`, nor any
// another process holds the lock of.
void tidyStartupCache(const Text& folder, const Text& keep, uint64_t cap);
