#include "builder/ui/EngineCalls.h"

#include <exception>
#include <new>
#include <optional>

#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/ProjectFile.h"
#include "builder/ui/BoxReporter.h"
#include "platform/FileDialog.h"

namespace {

constexpr const char* kNoMemory = "Not enough memory to complete the operation.";

// The Open or Save dialog of project files over `owner`; nullopt when cancelled.
std::optional<std::string> askProjectFile(HWND owner, bool save, const std::string& initialName) {
    platform::FileDialogRequest request;
    request.owner = owner;
    request.title = save ? "Save Caskit Project" : "Open Caskit Project";
    request.filter = std::string("Caskit Project (*.csk)\0*.csk\0\0", 30);
    request.defaultExtension = "csk";
    request.initialName = initialName;
    request.save = save;
    return platform::askFileName(request);
}

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
    return guarded(boxes, kProjectFileCaption, [&] {
        if (project.modified && project.projectPath.empty()) {
            std::optional<std::string> chosen =
                askProjectFile(owner, true, proposedProjectFileName(project.mainClass()));
            if (!chosen) return false;
            project.projectPath = *chosen;
        }
        return saveProject(project, boxes);
    });
}

bool openProjectSafely(Project& project, HWND owner, const std::string& path) {
    BoxReporter boxes(owner);
    return guarded(boxes, kProjectFileCaption, [&] {
        std::optional<std::string> chosen = path.empty() ? askProjectFile(owner, false, std::string()) : path;
        return chosen && openProject(project, *chosen, boxes);
    });
}

bool compileSafely(const Project& project, BoxReporter& boxes) {
    return guarded(boxes, kCompileErrorCaption, [&] { return compile(CompileRequest(project), boxes); });
}
