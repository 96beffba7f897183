#include "builder/ui/ProjectWindows.h"

#include <memory>

#include "builder/engine/Project.h"
#include "builder/ui/EngineCalls.h"
#include "builder/ui/FrameState.h"
#include "builder/ui/ProjectWindow.h"
#include "builder/ui/RelativePath.h"
#include "builder/ui/resource.h"

namespace projects {

namespace {

constexpr DWORD kNewWindowStyle = 0x50ca0000;     // child, visible, caption, system menu, minimise box
constexpr DWORD kOpenedWindowStyle = 0x40ca0000;  // the same, shown once its title is set

void bringToTop(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    SendMessageA(frame::state().mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
}

}  // namespace

ProjectWindow* active() {
    HWND mdiClient = frame::state().mdiClient;
    if (!mdiClient) return nullptr;
    return ProjectWindow::of(reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, 0)));
}

HWND find(const std::string& path) {
    for (HWND child = GetWindow(frame::state().mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ProjectWindow* window = ProjectWindow::of(child);
        if (window && samePathText(window->project().projectPath, path)) return child;
    }
    return nullptr;
}

bool createNew(int version) {
    auto project = std::make_unique<Project>();
    project->setProjectVersion(version);
    HWND window = ProjectWindow::create(frame::state().mdiClient, project, kNewWindowStyle);
    if (!window) return false;
    if (ProjectWindow* created = ProjectWindow::of(window)) created->updateTitle();
    return true;
}

bool open(const std::string& path) {
    HWND mdiClient = frame::state().mdiClient;
    if (!path.empty()) {
        if (HWND existing = find(path)) {
            bringToTop(existing);
            return true;
        }
    }
    auto project = std::make_unique<Project>();
    if (!openProjectSafely(*project, mdiClient, path)) return false;
    if (path.empty()) {
        if (HWND existing = find(project->projectPath)) {
            bringToTop(existing);
            return true;
        }
    }
    HWND window = ProjectWindow::create(mdiClient, project, kOpenedWindowStyle);
    if (!window) return false;
    if (ProjectWindow* created = ProjectWindow::of(window)) created->updateTitle();
    bringToTop(window);
    return true;
}

bool verifyActivePage() {
    ProjectWindow* window = active();
    if (!window) return false;
    HWND page = window->currentPage();
    if (!page) return true;
    return SendMessageA(page, PAGE_VERIFY, 0, 0) == 1;
}

int activeHelpContext() {
    ProjectWindow* window = active();
    HWND page = window ? window->currentPage() : nullptr;
    if (!page) return kFrameHelpContext;
    return static_cast<int>(SendMessageA(page, GET_HELP_ID, 0, 0));
}

}  // namespace projects
