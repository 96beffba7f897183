#pragma once
// Loading the VM library: the configured path, the discovered path and the
// bare library name, in the order the launcher's profile says, with the
// messages shown between the attempts.

#include "launcher/LaunchParameters.h"
#include "platform/DynamicLibrary.h"
#include "vmbind/RuntimeProfile.h"

// The value of "binarypath" that asks for the registered runtime.
extern const char* const kInternalRuntime;

struct LoadStep {
    enum class Kind { Load, Message };
    Kind kind;
    Text text;     // the path to load, or the message text
    Text caption;  // message only

    bool operator==(const LoadStep& other) const {
        return kind == other.kind && text == other.text && caption == other.caption;
    }
};

// Steps are taken in order: a Load that succeeds ends the plan, a Message
// is shown. The last step is always the not-found message.
List<LoadStep> loadingPlan(const RuntimeProfile& profile, const Text& binaryPath, const Text& discoveredLib);

// Follows the plan with platform::loadLibrary and platform::showMessage.
// An empty path is never handed to the loader: it counts as a failed load.
platform::DynamicLibrary loadRuntimeLibrary(const LaunchParameters& parameters, const RuntimeProfile& profile);
