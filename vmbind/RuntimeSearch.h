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

#include "launcher/LaunchParameters.h"
#include "platform/DynamicLibrary.h"
#include "vmbind/RuntimeProfile.h"

struct RuntimeSearch {
    RuntimeSearch(const LaunchParameters& launch, const RuntimeProfile& runtime)
        : parameters(launch), profile(runtime) {}

    const LaunchParameters& parameters;
    const RuntimeProfile& profile;
    platform::DynamicLibrary library;  // the library taken
    List<Text> rejected;               // "path: reason", in order
    List<Text> examined;               // homes already examined (compared as the system does)
};

// loadRuntimeLibrary with the search in the place the profile gives it
// (the JDK 1.2 launchers; the JDK 1.1 launcher links no search).
platform::DynamicLibrary loadRuntimeLibraryOrSearch(const LaunchParameters& parameters,
                                                    const RuntimeProfile& profile);

// Runs the sources in order until a runtime loads: true, with the library
// in `search.library` and the discovery results (gJDKHome, gJDKBin,
// gJDKRuntimeLib) naming it, gJDKClassLib empty.
bool searchRuntimes(RuntimeSearch& search);

// One home from `source`: false when it was examined before, is missing
// (rejected only with `reportMissing`), has no library, or its library is
// rejected or fails to load. A `runtimeLib` (a registry's RuntimeLib) that
// names a file is taken instead of the layouts.
bool examineHome(RuntimeSearch& search, const Text& source, const Text& home, bool reportMissing,
                 const Text* runtimeLib = nullptr);
// Lists "path: reason" for the not-found message and logs it with the
// source.
void rejectCandidate(RuntimeSearch& search, const Text& source, const Text& path, const char* reason);
// Logs "path: what" with the source, for something the search passed over
// that is no candidate of its own (a `release` file it could not use).
void noteCandidate(RuntimeSearch& search, const Text& source, const Text& path, const char* what);

// A path of the loading table (configured or registered library) before
// it is handed to the loader: when its header shows it cannot be loaded,
// why not (the candidate is rejected), else null. A path that is not
// absolute or names no file is left to the loader, which searches for it.
const char* admitsLibrary(RuntimeSearch& search, const Text& source, const Text& path);

// The sources of each system (SearchOrder.cpp, RegistryRuntimes.cpp,
// JvmFolderRuntimes.cpp).
bool searchRegistry(RuntimeSearch& search);
bool searchJvmFolder(RuntimeSearch& search);

// Path rules of the search, the same for every source.
// Null when `value` is an absolute path; otherwise why not ("empty", "not
// a path": relative, control characters, or characters no path holds).
const char* pathProblem(const Text& value);
// `value` without one pair of enclosing double quotes.
Text unquoted(const Text& value);
// The folder holding `path` (trailing separators ignored); empty when none.
Text parentFolder(const Text& path);
// `folder` + a separator (unless it ends with one) + `name`.
Text joinPath(const Text& folder, const char* name);
// `text`, then a blank line and one line per rejected candidate (at most
// 20, then a count of the others); `text` alone when nothing was rejected.
Text withRejectedLines(const char* text, const List<Text>& rejected);
