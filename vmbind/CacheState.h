#pragma once
// The start-up cache's state as its marker holds it, and the moves between
// states: what a program's start, or the dumping process, does on what it
// finds. Pure: StartupCache.cpp looks at the files and acts.

#include <stdint.h>

#include "platform/Text.h"

// What a start does: give the VM the cache's options of a step (Use,
// Record, Dump), nothing, or look further: take the archive's lock, or
// take the archive the dumping process made.
enum class CacheStep { Use, Record, Dump, Nothing, Lock, Take };

struct CacheState {
    enum Kind { Unseen, Seen, Recorded, Made, GivenUp };
    Kind kind;
    // Recorded: the recordings since the last archive (1 to 3); Made: the
    // archive's size in bytes.
    uint64_t count;
};

inline bool operator==(CacheState a, CacheState b) { return a.kind == b.kind && a.count == b.count; }

// What a start finds, in the order it looks.
enum class CacheEvent {
    Start,         // a program starts: no archive of the marker's size
    ArchiveWhole,  // a program starts: the archive's size is the marker's
    Locked,        // the start holds the archive's lock (while another holds it, nothing changes)
    ArchiveMade,   // ... and took the archive the dumping process made (its size now in the marker)
    NothingNew,    // ... and found no archive made since its last recording
    DumpLocked,    // the dumping process holds the lock; no archive of the marker's size
};

// The step a start takes from `state` on `event`; `state` becomes the
// state after it (the marker's next text, unless given up). `archiveSize`
// is the size of the archive ArchiveMade took. A marker seen first records
// on the next start; three recordings that made no archive give up.
CacheStep moveCacheState(CacheState& state, CacheEvent event, uint64_t archiveSize = 0);

// The state of the marker text `marker` (`size` bytes) for the archive of
// `key`: a marker of another key, or one this cache never writes, counts
// as none (Unseen).
CacheState readCacheState(const char* marker, size_t size, const Text& key);

// The marker text of `state` (Seen, Recorded or Made): `key`, then nothing,
// a "+" for each recording, or the archive's size in hexadecimal.
Text cacheMarker(const Text& key, const CacheState& state);

// `value` as sixteen lowercase hexadecimal digits, as the cache writes its
// keys, sizes and names.
void appendHex(Text& text, uint64_t value);
