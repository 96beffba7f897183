#include "vmbind/RuntimeSearch.h"

#include "launcher/DiagnosticLog.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "vmbind/DownloadOffer.h"
#include "vmbind/LibraryHeader.h"
#include "vmbind/LibraryLoading.h"
#include "vmbind/SearchPath.h"

#ifndef _WIN32
#include "platform/Folders.h"
#endif

namespace {

// "Runtime <path>: <verdict> (<source>)".
void logCandidate(const RuntimeSearch& search, const Text& line, const Text& source) {
    if (!search.parameters.diagnosticsEnabled) return;
    Text text = "Runtime ";
    text += line;
    text += " (";
    text += source;
    text += ")";
    diagnosticLog().writeLine(text);
}

// "<path>: <what>".
Text candidateLine(const Text& path, const Text& what) {
    Text line = path;
    line += ": ";
    line += what;
    return line;
}

#ifdef _WIN32
const char kNoLibrary[] = "no jvm.dll in this folder";
#else
const char kNoLibrary[] = "no libjvm.so in this folder";
#endif

// How the system compares two homes: Windows paths without regard to case
// or the kind of separator, Linux paths after their links are resolved.
Text homeKey(const Text& home) {
    Text key = home;
#ifdef _WIN32
    for (size_t i = 0; i < key.size(); ++i) {
        if (platform::isLeadByte(key[i])) {  // a two-byte character stays as it is
            ++i;
            continue;
        }
        if (key[i] >= 'A' && key[i] <= 'Z') key[i] = static_cast<char>(key[i] + 32);
        if (key[i] == '/') key[i] = '\\';
    }
#else
    platform::resolvedPath(home.c_str(), key);
#endif
    while (key.size() > 1 && platform::isSeparatorAt(key, key.size() - 1)) key.resize(key.size() - 1);
    return key;
}

// Why the facts of a library rule it out: its header, then its version;
// empty when they do not.
Text factsProblem(const RuntimeSearch& search, const RuntimeFacts& facts) {
    if (facts.verdict != LibraryVerdict::Loadable) return libraryProblem(facts.verdict, ownMachine().bits);
    return rangeProblem(search.range, facts.version);
}

bool loadCandidate(RuntimeSearch& search, const Text& source, const Text& home, const Text& library) {
    const RuntimeFacts facts = candidateFacts(search, source, library);
    const Text problem = factsProblem(search, facts);
    if (!problem.empty()) {
        rejectCandidate(search, source, library, problem);
        return false;
    }
    // The library's bin folder (above bin\server or lib/server) goes to the
    // front of PATH, where the library finds the libraries it needs.
    const Text bin = joinPath(parentFolder(parentFolder(library)), "");
    updatePath(search.parameters, search.profile, bin);
    search.library = platform::loadLibrary(library.c_str());
    if (!search.library) {
        rejectCandidate(search, source, library, "could not be loaded");
        return false;
    }
    logCandidate(search, candidateLine(library, "taken"), source);
    search.version = facts.version;
    search.paths.home = home;
    search.paths.bin = bin;
    search.paths.runtimeLib = library;
    search.paths.classLib.clear();
    return true;
}

}  // namespace

bool examineHome(RuntimeSearch& search, const Text& source, const Text& home, bool reportMissing,
                 const Text* runtimeLib) {
    const Text key = homeKey(home);
    if (search.examined.contains(key)) return false;
    search.examined.push_back(key);
    if (!platform::fileExists(joinPath(home, "").c_str())) {
        if (reportMissing) rejectCandidate(search, source, home, "folder not found");
        return false;
    }
    const Text library = homeLibrary(search, home, runtimeLib);
    if (!library.empty()) return loadCandidate(search, source, home, library);
    rejectCandidate(search, source, home, kNoLibrary);
    return false;
}

Text homeLibrary(const RuntimeSearch& search, const Text& home, const Text* runtimeLib) {
    if (runtimeLib && platform::fileExists(runtimeLib->c_str())) return *runtimeLib;
    for (const char* const* layout = search.profile.libraryLayouts; *layout; ++layout) {
        const Text library = joinPath(home, *layout);
        if (platform::fileExists(library.c_str())) return library;
    }
    return Text();
}

RuntimeFacts candidateFacts(RuntimeSearch& search, const Text& source, const Text& library) {
#ifndef _WIN32
    // The runtimes under /usr/lib/jvm are read for their order first.
    for (const RuntimeFacts& known : search.facts)
        if (known.library == library) return known;
#endif
    RuntimeFacts facts = readRuntimeFacts(library);
    if (facts.releaseProblem) noteCandidate(search, source, facts.releasePath, facts.releaseProblem);
#ifndef _WIN32
    search.facts.push_back(facts);
#endif
    return facts;
}

void rejectCandidate(RuntimeSearch& search, const Text& source, const Text& path, const Text& reason) {
    search.rejected.push_back(candidateLine(path, reason));
    logCandidate(search, search.rejected.back(), source);
}

void noteCandidate(RuntimeSearch& search, const Text& source, const Text& path, const Text& what) {
    logCandidate(search, candidateLine(path, what), source);
}

namespace {

// The hooks through which the loading table reaches the search.
bool admitsHook(void* search, const Text& source, const Text& path, Text& problem) {
    return admitsLibrary(*static_cast<RuntimeSearch*>(search), source, path, problem);
}

bool runHook(void* search, platform::DynamicLibrary& library) {
    RuntimeSearch& s = *static_cast<RuntimeSearch*>(search);
    if (!searchRuntimes(s)) return false;
    library = static_cast<platform::DynamicLibrary&&>(s.library);
    return true;
}

// The last message when nothing loaded: the rejected candidates and, when
// the project names one, where to get a suitable Java.
void showNotFound(const void* search, const char* text, const char* caption) {
    const RuntimeSearch& s = *static_cast<const RuntimeSearch*>(search);
    showNotFoundMessage(withRejectedLines(text, s.rejected), caption, s.parameters.downloadUrl);
}

}  // namespace

platform::DynamicLibrary loadRuntimeLibraryOrSearch(const LaunchParameters& parameters, const RuntimeProfile& profile,
                                                    RuntimePaths& paths, JavaVersion& version) {
    RuntimeSearch search(parameters, profile, paths);
    const SearchHooks hooks{&search, admitsHook, runHook, showNotFound};
    platform::DynamicLibrary library = followLoadingPlan(parameters, profile, paths, &hooks);
    version = search.version;
    return library;
}

// A library that is no file here cannot be read: the loader searches for
// it, unless the program asks for a version range, which it could not
// check.
bool admitsLibrary(RuntimeSearch& search, const Text& source, const Text& path, Text& problem) {
    search.version = JavaVersion();
    if (!isAbsolutePath(path) || !platform::fileExists(path.c_str())) {
        if (!search.range.bounded()) return true;
        noteCandidate(search, source, path, "not tried: its Java version cannot be read");
        problem = "its Java version cannot be read";
        return false;
    }
    const RuntimeFacts facts = candidateFacts(search, source, path);
    problem = factsProblem(search, facts);
    if (!problem.empty()) {
        rejectCandidate(search, source, path, problem);
        return false;
    }
    search.version = facts.version;
    return true;
}

Text withRejectedLines(const char* text, const List<Text>& rejected) {
    const size_t kMostLines = 20;
    Text result = text;
    if (!rejected.empty()) result += "\n";
    for (size_t i = 0; i < rejected.size() && i < kMostLines; ++i) {
        result += "\n";
        result += rejected[i];
    }
    if (rejected.size() > kMostLines) {
        result += "\n(";
        result += decimalText(rejected.size() - kMostLines);
        result += " more not shown)";
    }
    return result;
}
