#include "vmbind/CacheState.h"

#include <string.h>

namespace {

const uint64_t kMostRecordings = 3;  // recordings that made no archive
const size_t kDigits = 16;           // a number in hexadecimal

}  // namespace

CacheStep moveCacheState(CacheState& state, CacheEvent event, const CacheState& archive) {
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
    // A trial whose lock is free died before its VM was created: that
    // archive is suspect, whatever its size.
    if (kind == CacheState::Trial && event == CacheEvent::Locked) {
        // Field by field: a whole-struct constant would be copied from a data section.
        state.kind = CacheState::Recorded;
        state.count = kMostRecordings;
        state.hash = 0;
        return CacheStep::Record;
    }
    // Only an archive dumped after this key's last recording is its own.
    if (kind == CacheState::Recorded && event == CacheEvent::Locked) return CacheStep::Take;
    if (kind == CacheState::Recorded && event == CacheEvent::ArchiveMade) {
        state = {CacheState::Trial, archive.count, archive.hash};
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

CacheState readCacheState(const char* marker, size_t size, const Text& key, bool dayOld) {
    const CacheState none = {CacheState::Unseen, 0};
    for (size_t i = 0; i < size; ++i)
        if (marker[i] == '\n') size = i;
    if (size < key.size() || memcmp(marker, key.c_str(), key.size()) != 0) return none;
    const char* rest = marker + key.size();
    size -= key.size();
    if (size == kMostRecordings && dayOld && memcmp(rest, "+++", size) == 0) return {CacheState::Seen, 0};
    if (size <= kMostRecordings && memcmp(rest, "+++", size) == 0)
        return {size ? CacheState::Recorded : CacheState::Seen, size};
    const bool trial = size == 2 * kDigits + 1 && rest[2 * kDigits] == '?';
    if (size != 2 * kDigits && !trial) return none;
    uint64_t numbers[2] = {0, 0};  // the size, the hash
    for (size_t i = 0; i < 2 * kDigits; ++i) {
        const unsigned digit = rest[i] <= '9' ? rest[i] - '0' : rest[i] - 'a' + 10;
        if (digit > 15) return none;
        numbers[i / kDigits] = numbers[i / kDigits] << 4 | digit;
    }
    return {trial ? CacheState::Trial : CacheState::Made, numbers[0], numbers[1]};
}

Text cacheMarker(const Text& key, const CacheState& state) {
    Text marker = key;
    if (state.kind == CacheState::Made || state.kind == CacheState::Trial) {
        appendHex(marker, state.count);
        appendHex(marker, state.hash);
        if (state.kind == CacheState::Trial) marker += '?';
    } else
        marker.append("+++", state.count < kMostRecordings ? state.count : kMostRecordings);
    return marker;
}

void appendHex(Text& text, uint64_t value) {
    for (int shift = 60; shift >= 0; shift -= 4) text += "0123456789abcdef"[(value >> shift) & 15];
}
