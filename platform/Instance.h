#pragma once
// One instance of a program per user: the lock that tells the first start
// from a later one, and the channel through which a later start hands its
// message to the first. Linux: a lock file and a Unix socket in a folder
// private to the user ($XDG_RUNTIME_DIR, else caskit-UID in the temporary
// folder, mode 0700, checked to be the user's own); Windows: a mutex in the
// session's namespace and a message-only window that takes WM_COPYDATA.
// What a crashed first instance leaves behind never blocks: the system
// releases its lock, and the next first instance takes the socket's name
// over.

#include "platform/Text.h"

namespace platform {

enum class InstanceRole {
    First,       // this process holds the lock and takes the messages
    Later,       // another process of the user holds it
    Unavailable  // no private place for the lock: runs as if alone
};

// Takes the lock named `name` (letters and digits) for the rest of the
// process, or finds it taken. A first instance's channel is open from
// here on: later starts queue their messages until receiveHandOver.
InstanceRole claimInstance(const Text& name);

// Hands `message` to the first instance of `name` and waits for its
// acknowledgement; false when none came within `milliseconds`.
bool sendHandOver(const Text& name, const Text& message, unsigned milliseconds);

// The first instance's next message, waited for; false when the channel
// failed. A message is acknowledged once it has been received whole.
bool receiveHandOver(Text& message);

// Gives up the lock and the channel (before the program is started again).
void releaseInstance();

// Runs `function(context)` on a new thread; false when none was started.
bool startThread(void (*function)(void* context), void* context);

// Brings the process's first visible top-level window to the front
// (Windows; nothing elsewhere).
void showOwnWindow();

}  // namespace platform
