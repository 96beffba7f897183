#pragma once
// The search for an installed Java runtime, for when no registered one
// loads: a runtime shipped beside the program (jre, runtime), JAVA_HOME,
// then on Windows the registry's Java keys (newest version first) and
// java.exe on PATH, on Linux java on PATH (through its links),
// /usr/lib/jvm/default-java and the newest runtime under /usr/lib/jvm.
//
// Every candidate home is examined once, in that order: its VM library is
// the first of the profile's layouts that exists, its header must match
// this program's machine before the loader sees it, and the first library
// that loads is taken (its bin folder goes to the front of PATH first, so
// the library finds its neighbours). What was rejected, and why, is kept
// for the not-found message; with diagnostics on every candidate is
// written to the log: "Runtime <path>: taken|<reason> (<source>)".
//
// Each candidate's facts (machine, Java version) are read once, before it
// is loaded; with a version range, a candidate outside it is rejected with
// its version and the range, and one whose version cannot be read is
// rejected too.

#include "launcher/LaunchParameters.h"
#include "platform/DynamicLibrary.h"
#include "vmbind/PathRules.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/RuntimeFacts.h"
#include "vmbind/RuntimeProfile.h"
#include "vmbind/VersionRange.h"

struct RuntimeSearch {
    RuntimeSearch(const LaunchParameters& launch, const RuntimeProfile& runtime, RuntimePaths& runtimePaths)
        : parameters(launch),
          profile(runtime),
          paths(runtimePaths),
          range(versionRange(launch.javaMinVersion, launch.javaMaxVersion)) {}

    const LaunchParameters& parameters;
    const RuntimeProfile& profile;
    RuntimePaths& paths;               // the discovered runtime's, replaced by those of the runtime taken
    platform::DynamicLibrary library;  // the library taken
    List<Text> rejected;               // "path: reason", in order
    List<Text> examined;               // homes already examined (compared as the system does)
    VersionRange range;
    List<RuntimeFacts> facts;          // of every library looked at (Linux, where they order the runtimes)
    JavaVersion version;               // of the library admitted or taken last (count 0: unknown)
};

// loadRuntimeLibrary with the search in the place the profile gives it
// (the JDK 1.2 launchers; the JDK 1.1 launcher links no search): a runtime
// the search loads replaces `paths`. `version` is the Java version of the
// library loaded (count 0: unknown).
platform::DynamicLibrary loadRuntimeLibraryOrSearch(const LaunchParameters& parameters, const RuntimeProfile& profile,
                                                    RuntimePaths& paths, JavaVersion& version);

// Runs the sources in order until a runtime loads: true, with the library
// in `search.library` and `search.paths` naming it (no class library).
bool searchRuntimes(RuntimeSearch& search);

// One home from `source`: false when it was examined before, is missing
// (rejected only with `reportMissing`), has no library, or its library is
// rejected or fails to load. A `runtimeLib` (a registry's RuntimeLib) that
// names a file is taken instead of the layouts.
bool examineHome(RuntimeSearch& search, const Text& source, const Text& home, bool reportMissing,
                 const Text* runtimeLib = nullptr);
// The library of a home: `runtimeLib` when it names a file, else the first
// of the profile's layouts that exists; empty when none does.
Text homeLibrary(const RuntimeSearch& search, const Text& home, const Text* runtimeLib = nullptr);
// Lists "path: reason" for the not-found message and logs it with the
// source.
void rejectCandidate(RuntimeSearch& search, const Text& source, const Text& path, const Text& reason);
// Logs "path: what" with the source, for something the search passed over
// that is no candidate of its own (a `release` file it could not use).
void noteCandidate(RuntimeSearch& search, const Text& source, const Text& path, const Text& what);
// The facts of `library`, read the first time it is asked for; a
// `release` file that gives no version is noted with `source`.
RuntimeFacts candidateFacts(RuntimeSearch& search, const Text& source, const Text& library);

// A path of the loading table (configured or registered library) before
// it is handed to the loader: false, with the candidate rejected and why
// in `problem`, when its header shows it cannot be loaded or its version is
// outside the range. A path that is not absolute or names no file here is
// left to the loader, which searches for it, unless a version range is set
// (it is then not tried).
bool admitsLibrary(RuntimeSearch& search, const Text& source, const Text& path, Text& problem);

// The sources of each system (SearchOrder.cpp, RegistryRuntimes.cpp,
// JvmFolderRuntimes.cpp).
bool searchRegistry(RuntimeSearch& search);
bool searchJvmFolder(RuntimeSearch& search);

// `text`, then a blank line and one line per rejected candidate (at most
// 20, then a count of the others); `text` alone when nothing was rejected.
Text withRejectedLines(const char* text, const List<Text>& rejected);
