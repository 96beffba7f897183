#include "builder/ui/EngineCalls.h"

#include <exception>
#include <new>

#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/ProjectFile.h"
#include "builder/ui/BoxReporter.h"

namespace {

constexpr const char* kNoMemory = "Not enough memory to complete the operation.";

template <typename Call>
bool guarded(BoxReporter& boxes, const char* caption, Call call) {
    try {
        return call();
    } catch (const std::bad_alloc&) {
        boxes.error(caption, kNoMemory);
    } catch (const std::exception& error) {
        boxes.error(caption, *error.what() ? error.what() : kNoMemory);
    } catch (...) {
        boxes.error(caption, "Unexpected failure.");
    }
    return false;
}

}  // namespace

bool saveProjectSafely(Project& project, HWND owner) {
    BoxReporter boxes(owner);
    return guarded(boxes, kProjectFileCaption, [&] { return saveProject(project, owner, boxes); });
}

bool openProjectSafely(Project& project, HWND owner, const std::string& path) {
    BoxReporter boxes(owner);
    return guarded(boxes, kProjectFileCaption, [&] { return openProject(project, owner, path, boxes); });
}

bool compileSafely(const Project& project, BoxReporter& boxes) {
    return guarded(boxes, kCompileErrorCaption, [&] { return compile(CompileRequest(project), boxes); });
}
