#pragma once
// The single-instance hand-over: the "#open#" marker of the command line,
// the WM_COPYDATA message a second start sends to the running frame, and
// the heap blocks that carry a project path through OPEN_PROJECT.

#include <windows.h>

#include <optional>
#include <string>

#include "builder/ui/Owned.h"

// Everything after the first "#open#", exactly as it stands; nullopt
// without the marker.
std::optional<std::string> openPathFromCommandLine(const std::string& commandLine);

// A NUL-terminated heap copy of `text` for OPEN_PROJECT; null on failure.
char* copyToHandOverBlock(const std::string& text);
// A NUL-terminated heap copy of exactly cbData bytes of WM_COPYDATA data
// (the sender's bytes are not trusted to be terminated); null when the
// message is not a hand-over (dwData other than 0) or memory is short.
char* copyHandOverData(const COPYDATASTRUCT* data);
void freeHandOverBlock(char* block);
struct HandOverBlockReleaser {
    void operator()(char* block) const { freeHandOverBlock(block); }
};
using OwnedHandOverBlock = Owned<char*, HandOverBlockReleaser>;

// Posts OPEN_PROJECT with `block` to `frame` and remembers the block as
// one the frame queued itself; frees it when the post fails.
bool queueOpenProject(HWND frame, char* block);
// The block of an OPEN_PROJECT message, taken back from the queued ones.
// Any program can post message 1124 with any value: a value the frame did
// not queue (or already took) gives none and is never touched or freed.
OwnedHandOverBlock claimQueuedBlock(LPARAM value);

// When a frame is running: restores and activates it, hands it the path
// (if any) and answers true. False when there is no running frame.
bool handOverToRunningFrame(const std::optional<std::string>& path);
