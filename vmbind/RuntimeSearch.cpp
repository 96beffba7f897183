#include "vmbind/RuntimeSearch.h"

#include "launcher/DiagnosticLog.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "vmbind/LibraryHeader.h"
#include "vmbind/LibraryLoading.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/SearchPath.h"

#ifndef _WIN32
#include "platform/Folders.h"
#endif

namespace {

bool isAbsolutePath(const Text& path) {
    const char* p = path.c_str();
#ifdef _WIN32
    const char c = static_cast<char>(p[0] | 0x20);
    return (c >= 'a' && c <= 'z' && p[1] == ':' && platform::isPathSeparator(p[2])) || (p[0] == '\\' && p[1] == '\\');
#else
    return p[0] == '/';
#endif
}

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
Text candidateLine(const Text& path, const char* what) {
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

bool loadCandidate(RuntimeSearch& search, const Text& source, const Text& home, const Text& library) {
    Machine found{0, 0};
    const LibraryVerdict verdict = checkLibraryFile(library.c_str(), found);
    if (verdict != LibraryVerdict::Loadable) {
        rejectCandidate(search, source, library, libraryProblem(verdict, ownMachine().bits));
        return false;
    }
    // The library's bin folder (above bin\server or lib/server) goes to the
    // front of PATH, where the library finds the libraries it needs.
    Text tableBin = static_cast<Text&&>(gJDKBin);
    gJDKBin = joinPath(parentFolder(parentFolder(library)), "");
    updatePath(search.parameters, search.profile);
    search.library = platform::loadLibrary(library.c_str());
    if (!search.library) {
        gJDKBin = static_cast<Text&&>(tableBin);
        rejectCandidate(search, source, library, "could not be loaded");
        return false;
    }
    logCandidate(search, candidateLine(library, "taken"), source);
    gJDKHome = home;
    gJDKRuntimeLib = library;
    gJDKClassLib.clear();
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
    if (runtimeLib && platform::fileExists(runtimeLib->c_str()))
        return loadCandidate(search, source, home, *runtimeLib);
    for (const char* const* layout = search.profile.libraryLayouts; *layout; ++layout) {
        const Text library = joinPath(home, *layout);
        if (platform::fileExists(library.c_str())) return loadCandidate(search, source, home, library);
    }
    rejectCandidate(search, source, home, kNoLibrary);
    return false;
}

void rejectCandidate(RuntimeSearch& search, const Text& source, const Text& path, const char* reason) {
    search.rejected.push_back(candidateLine(path, reason));
    logCandidate(search, search.rejected.back(), source);
}

void noteCandidate(RuntimeSearch& search, const Text& source, const Text& path, const char* what) {
    logCandidate(search, candidateLine(path, what), source);
}

namespace {

// The hooks through which the loading table reaches the search.
const char* admitsHook(void* search, const Text& source, const Text& path) {
    return admitsLibrary(*static_cast<RuntimeSearch*>(search), source, path);
}

bool runHook(void* search, platform::DynamicLibrary& library) {
    RuntimeSearch& s = *static_cast<RuntimeSearch*>(search);
    if (!searchRuntimes(s)) return false;
    library = static_cast<platform::DynamicLibrary&&>(s.library);
    return true;
}

Text notFoundHook(const void* search, const char* text) {
    return withRejectedLines(text, static_cast<const RuntimeSearch*>(search)->rejected);
}

}  // namespace

platform::DynamicLibrary loadRuntimeLibraryOrSearch(const LaunchParameters& parameters,
                                                    const RuntimeProfile& profile) {
    RuntimeSearch search(parameters, profile);
    const SearchHooks hooks{&search, admitsHook, runHook, notFoundHook};
    return followLoadingPlan(parameters, profile, &hooks);
}

const char* admitsLibrary(RuntimeSearch& search, const Text& source, const Text& path) {
    if (!isAbsolutePath(path) || !platform::fileExists(path.c_str())) return nullptr;
    Machine found{0, 0};
    const LibraryVerdict verdict = checkLibraryFile(path.c_str(), found);
    if (verdict == LibraryVerdict::Loadable) return nullptr;
    const char* problem = libraryProblem(verdict, ownMachine().bits);
    rejectCandidate(search, source, path, problem);
    return problem;
}

const char* pathProblem(const Text& value) {
    if (value.empty()) return "empty";
    for (size_t i = 0; i < value.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (platform::isLeadByte(value[i])) {  // its second byte may be '|' (0x7C)
            ++i;
            continue;
        }
#ifdef _WIN32
        if (c == '<' || c == '>' || c == '"' || c == '|' || c == '*') return "not a path";
#endif
        if (c < 0x20) return "not a path";
    }
    return isAbsolutePath(value) ? nullptr : "not a path";
}

Text unquoted(const Text& value) {
    if (value.size() >= 2 && value[0] == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

Text parentFolder(const Text& path) {
    size_t end = path.size();
    while (end > 0 && platform::isSeparatorAt(path, end - 1)) --end;
    while (end > 0 && !platform::isSeparatorAt(path, end - 1)) --end;
    while (end > 1 && platform::isSeparatorAt(path, end - 1)) --end;
    return path.substr(0, end);
}

Text joinPath(const Text& folder, const char* name) {
    Text path = folder;
    if (!path.empty() && !platform::isSeparatorAt(path, path.size() - 1)) path += platform::kPathSeparator;
    return path + name;
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
