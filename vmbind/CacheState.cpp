#include "vmbind/CacheState.h"

#include <string.h>

namespace {

const uint64_t kMostRecordings = 3;  // recordings that made no archive
const size_t kDigits = 16;           // a number in hexadecimal

}  // namespace

CacheStep moveCacheState(CacheState& state, CacheEvent event, uint64_t archiveSize) {
    const CacheState::Kind kind = state.kind;
    // Before a first start there is nothing to use, record or dump; after
    // giving up, nothing more is tried.
    if (kind == CacheState::Unseen || kind == CacheState::GivenUp) {
        if (kind == CacheState::Unseen && event == CacheEvent::Start) state.kind = CacheState::Seen;
        return CacheStep::Nothing;
    }
    if (event == CacheEvent::DumpLocked) return CacheStep::Dump;
    if (event == CacheEvent::ArchiveWhole && kind == CacheState::Made) return CacheStep::Use;
    if (event == CacheEvent::Start || event == CacheEvent::ArchiveWhole) return CacheStep::Lock;
    // Only an archive dumped after this key's last recording is its own.
    if (kind == CacheState::Recorded && event == CacheEvent::Locked) return CacheStep::Take;
    if (kind == CacheState::Recorded && event == CacheEvent::ArchiveMade) {
        state = {CacheState::Made, archiveSize};
        return CacheStep::Use;
    }
    // No archive of its own: record (again).
    const unsigned recordings = kind == CacheState::Recorded ? static_cast<unsigned>(state.count) + 1 : 1;
    if (recordings > kMostRecordings) {
        state = {CacheState::GivenUp, 0};
        return CacheStep::Nothing;
    }
    state = {CacheState::Recorded, recordings};
    return CacheStep::Record;
}

CacheState readCacheState(const char* marker, size_t size, const Text& key) {
    const CacheState none = {CacheState::Unseen, 0};
    if (size < key.size() || memcmp(marker, key.c_str(), key.size()) != 0) return none;
    const char* rest = marker + key.size();
    size -= key.size();
    if (size <= kMostRecordings && memcmp(rest, "+++", size) == 0)
        return {size ? CacheState::Recorded : CacheState::Seen, size};
    if (size != kDigits) return none;
    uint64_t bytes = 0;
    for (size_t i = 0; i < kDigits; ++i) {
        const unsigned digit = rest[i] <= '9' ? rest[i] - '0' : rest[i] - 'a' + 10;
        if (digit > 15) return none;
        bytes = bytes << 4 | digit;
    }
    return {CacheState::Made, bytes};
}

Text cacheMarker(const Text& key, const CacheState& state) {
    Text marker = key;
    if (state.kind == CacheState::Made)
        appendHex(marker, state.count);
    else
        marker.append("+++", state.count < kMostRecordings ? state.count : kMostRecordings);
    return marker;
}

void appendHex(Text& text, uint64_t value) {
    for (int shift = 60; shift >= 0; shift -= 4) text += "0123456789abcdef"[(value >> shift) & 15];
}
