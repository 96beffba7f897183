#include "builder/ui/EngineCalls.h"

#include <exception>
#include <new>

#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/Globals.h"
#include "builder/engine/ProjectFile.h"

namespace {

void report(HWND owner, const std::exception& error, const char* caption) {
    std::string text = error.what();
    if (text.empty()) text = "Not enough memory to complete the operation.";
    MessageBoxA(owner, text.c_str(), caption, MB_OK | MB_ICONWARNING);
}

template <typename Call>
bool guarded(HWND owner, const char* caption, Call call) {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        MessageBoxA(owner, "Not enough memory to complete the operation.", caption, MB_OK | MB_ICONWARNING);
    } catch (const std::exception& error) {
        report(owner, error, caption);
    } catch (...) {
        MessageBoxA(owner, "Unexpected failure.", caption, MB_OK | MB_ICONWARNING);
    }
    return false;
}

}  // namespace

bool saveProjectSafely(Project& project, HWND owner) {
    return guarded(owner, "Error Creating Project File", [&] { return saveProject(project, owner); });
}

bool openProjectSafely(Project& project, HWND owner, const std::string& path) {
    return guarded(owner, "Error Creating Project File", [&] { return openProject(project, owner, path); });
}

bool compileSafely(const Project& project, HWND owner) {
    return guarded(owner, "Error Compiling Executable", [&] { return compile(project, owner); });
}
