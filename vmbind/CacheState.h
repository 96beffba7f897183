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
    // Trial: an archive made whose first start has not yet got as far as
    // the created VM; the start that tries it holds the lock meanwhile.
    enum Kind { Unseen, Seen, Recorded, Made, GivenUp, Trial };
    Kind kind;
    // Recorded: the recordings since the last archive (1 to 3); Made and
    // Trial: the archive's size in bytes.
    uint64_t count;
    uint64_t hash = 0;  // Made and Trial: the archive's content hash (archiveHash)
};

inline bool operator==(CacheState a, CacheState b) {
    return a.kind == b.kind && a.count == b.count && a.hash == b.hash;
}

// What a start finds, in the order it looks.
enum class CacheEvent {
    Start,         // a program starts: no archive of the marker's size
    ArchiveWhole,  // a program starts: the archive's size and hash are the marker's
    Locked,        // the start holds the archive's lock (while another holds it, nothing changes)
    ArchiveMade,   // ... and took the archive the dumping process made (its size now in the marker)
    NothingNew,    // ... and found no archive made since its last recording
    DumpLocked,    // the dumping process holds the lock; no archive of the marker's size
};

// The step a start takes from `state` on `event`; `state` becomes the
// state after it (the marker's next text, unless given up). `archive`
// is the size and hash of the archive ArchiveMade took. A marker seen first records
// on the next start; three recordings that made no archive give up. A new
// archive is on trial until a start has created the VM with it; a trial
// found with the lock free died on the way, and the archive is recorded
// once more (the last recording before giving up).
CacheStep moveCacheState(CacheState& state, CacheEvent event, const CacheState& archive = CacheState{});

// The state of the marker text `marker` (`size` bytes) for the archive of
// `key`: a marker of another key, or one this cache never writes, counts
// as none (Unseen). Its first line counts alone. A marker that gave up
// (three recordings) and was written more than a day ago (`dayOld`) reads
// as Seen: recording is tried again.
CacheState readCacheState(const char* marker, size_t size, const Text& key, bool dayOld = false);

// The marker text of `state` (Seen, Recorded, Made or Trial): `key`, then
// nothing, a "+" for each recording, or the archive's size and hash in
// hexadecimal (and "?" while on trial).
Text cacheMarker(const Text& key, const CacheState& state);

// `value` as sixteen lowercase hexadecimal digits, as the cache writes its
// keys, sizes and names.
void appendHex(Text& text, uint64_t value);
