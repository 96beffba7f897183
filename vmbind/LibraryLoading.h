#pragma once
// Loading the VM library: the configured path, the discovered path and the
// bare library name, in the order the launcher's profile says, with the
// messages shown between the attempts; and, where the profile has one, a
// search for an installed runtime, reached only through SearchHooks.

#include "launcher/LaunchParameters.h"
#include "platform/DynamicLibrary.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/RuntimeProfile.h"

// The value of "binarypath" that asks for the registered runtime.
extern const char* const kInternalRuntime;
// The value of "binarypath" that asks for the runtime in the folder
// "runtime" beside the executable and no other: the plan is that folder's
// search, then the not-found message naming it.
extern const char* const kBundledRuntime;

struct LoadStep {
    enum class Kind { Load, Message, Search };
    Kind kind;
    Text text;     // the path to load, or the message text
    Text caption;  // message only

    bool operator==(const LoadStep& other) const {
        return kind == other.kind && text == other.text && caption == other.caption;
    }
};

// Steps are taken in order: a Load that succeeds ends the plan, a Message
// is shown, a Search that finds a runtime ends the plan. The last step is
// always the not-found message. The search comes after the bare name on
// Windows (where the table finds nothing) and in place of the registered
// runtime on Linux.
List<LoadStep> loadingPlan(const RuntimeProfile& profile, const Text& binaryPath, const Text& discoveredLib);

// What the loading asks of a search for installed runtimes, handed in by
// the launchers that have one (vmbind/RuntimeSearch.h) so that the others
// link none. `search` is the search's own state, handed back to each call.
struct SearchHooks {
    void* search;
    // A table path (configured or registered) before it is loaded: false,
    // with why in `problem`, when its header shows it cannot be loaded or its
    // version is outside the range; `source` names where it came from.
    bool (*admits)(void* search, const Text& source, const Text& path, Text& problem);
    // The search itself: true, with the runtime it loaded in `library` and
    // its paths written over those the loading was given.
    bool (*run)(void* search, platform::DynamicLibrary& library);
    // Shows the not-found message with the candidates the search rejected
    // (and where to get a suitable Java, when the project says).
    void (*showNotFound)(const void* search, const char* text, const char* caption);
};

// Follows the plan for the discovered `paths` with platform::loadLibrary
// and platform::showMessage; a runtime the search loads replaces `paths`.
// An empty path is never handed to the loader: it counts as a failed load.
// With `hooks` (a profile with a search): a table path the search does not
// admit is skipped; messages that come before the Search step wait for it
// (a runtime it finds is loaded without them, and PATH is rewritten again
// when it finds none); the not-found message lists every candidate
// rejected, with the reason. Without hooks, Search steps are passed over.
// When a configured library does not load and another one does, the log
// (diagnostics on) and standard error say so, with the reason.
platform::DynamicLibrary followLoadingPlan(const LaunchParameters& parameters, const RuntimeProfile& profile,
                                           RuntimePaths& paths, const SearchHooks* hooks);

// The table alone (the JDK 1.1 launcher).
inline platform::DynamicLibrary loadRuntimeLibrary(const LaunchParameters& parameters, const RuntimeProfile& profile,
                                                   RuntimePaths& paths) {
    return followLoadingPlan(parameters, profile, paths, nullptr);
}
