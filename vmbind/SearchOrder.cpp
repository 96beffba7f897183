// The order of the runtime search, and its sources that every system has:
// the program's own folder, JAVA_HOME and java on PATH.
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/PathSeparator.h"
#include "vmbind/LibraryLoading.h"
#include "vmbind/RuntimeSearch.h"

#ifndef _WIN32
#include "platform/Folders.h"
#endif

namespace {

// A runtime shipped with the application wins: it was chosen for it.
bool searchBesideProgram(RuntimeSearch& search) {
    const Text& folder = search.parameters.exeFolder;
    if (folder.empty()) return false;
    return examineHome(search, "beside the program", folder + "jre", false) ||
           examineHome(search, "beside the program", folder + "runtime", false);
}

// An empty JAVA_HOME counts as unset.
bool searchHomeVariable(RuntimeSearch& search) {
    Text value;
    if (!platform::startupVariable("JAVA_HOME", value)) return false;
    value = unquoted(value);
    if (value.empty()) return false;
    if (const char* problem = pathProblem(value)) {
        rejectCandidate(search, "JAVA_HOME", value, problem);
        return false;
    }
    return examineHome(search, "JAVA_HOME", value, true);
}

// Every java on PATH, in order; its home is the folder above its bin
// folder (on Linux after its links are resolved: /usr/bin/java leads
// through /etc/alternatives to the runtime's own bin/java).
bool searchPathProgram(RuntimeSearch& search) {
#ifdef _WIN32
    const char* const kProgram = "java.exe";
#else
    const char* const kProgram = "java";
#endif
    Text path;
    if (!platform::startupVariable("PATH", path)) return false;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(platform::kListSeparator, start);
        if (end == Text::npos) end = path.size();
        const Text entry = unquoted(path.substr(start, end - start));
        start = end + 1;
        if (pathProblem(entry)) continue;
        Text program = joinPath(entry, kProgram);
        if (!platform::fileExists(program.c_str())) continue;
#ifndef _WIN32
        platform::resolvedPath(program.c_str(), program);
#endif
        if (examineHome(search, "java on PATH", parentFolder(parentFolder(program)), true)) return true;
    }
    return false;
}

}  // namespace

bool searchRuntimes(RuntimeSearch& search) {
    // A bundled application starts its own runtime or none.
    if (search.parameters.binaryPath == kBundledRuntime)
        return examineHome(search, "bundled", search.parameters.exeFolder + "runtime", true);
    if (searchBesideProgram(search) || searchHomeVariable(search)) return true;
#ifdef _WIN32
    return searchRegistry(search) || searchPathProgram(search);
#else
    return searchPathProgram(search) || searchJvmFolder(search);
#endif
}
