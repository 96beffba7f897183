#include "builder/ui/PageSet.h"

#include <commctrl.h>

#include <exception>

#include "builder/engine/Project.h"
#include "builder/ui/Pages.h"
#include "builder/ui/resource.h"

namespace {

constexpr int kTabTextSize = 256;

struct PageRow {
    int textId;
    int jdk11Dialog;  // 0: no such page for the version
    int jdk20Dialog;
    bool commandPage;
};

// The runtime page follows the other pages about the VM (Advanced,
// Heap/Stack) and comes before the pages of the executable's resources,
// which only some platforms have: the first six tabs stay where they are.

const PageRow kRows[] = {
    {IDS_TAB_COMMAND, IDD_COMMAND_JDK11, IDD_COMMAND_JDK20, true},
    {IDS_TAB_CLASSPATH, IDD_CLASSPATH_PAGE, IDD_CLASSPATH_PAGE, false},
    {IDS_TAB_PROPERTIES, IDD_PROPERTIES_PAGE, IDD_PROPERTIES_PAGE, false},
    {IDS_TAB_ENVIRONMENT, IDD_ENVIRONMENT_PAGE, IDD_ENVIRONMENT_PAGE, false},
    {IDS_TAB_ADVANCED, IDD_ADVANCED_JDK11, IDD_ADVANCED_JDK20, false},
    {IDS_TAB_HEAP, IDD_HEAP_JDK11, IDD_HEAP_JDK20, false},
    {IDS_TAB_RUNTIME, 0, IDD_RUNTIME_PAGE, false},
};

HWND createPage(int dialogId, HWND container, Project& project) {
    try {
        switch (dialogId) {
        case IDD_COMMAND_JDK11:
        case IDD_COMMAND_JDK20:
            return createCommandPage(container, &project, dialogId);
        case IDD_CLASSPATH_PAGE:
            return createClassPathPage(container, &project);
        case IDD_PROPERTIES_PAGE:
            return createPropertiesPage(container, &project);
        case IDD_ENVIRONMENT_PAGE:
            return createEnvironmentPage(container, &project);
        case IDD_ADVANCED_JDK11:
        case IDD_ADVANCED_JDK20:
            return createAdvancedPage(container, &project, dialogId);
        case IDD_HEAP_JDK11:
        case IDD_HEAP_JDK20:
            return createHeapPage(container, &project, dialogId);
        case IDD_RUNTIME_PAGE:
            return createRuntimePage(container, &project);
        case IDD_VERSION_PAGE:
            return createVersionPage(container, &project);
        case IDD_ICON_PAGE:
            return createIconPage(container, &project);
        default:
            return nullptr;
        }
    } catch (const std::exception&) {
        return nullptr;
    }
}

// Appends the page's tab; destroys the page when the tab cannot be added.
bool appendTab(HWND tabs, HWND page, int textId, bool commandPage) {
    char text[kTabTextSize + 1] = {};
    LoadStringA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(tabs, GWLP_HINSTANCE)), textId, text, kTabTextSize);
    if (commandPage) SendMessageA(tabs, WM_SETFONT, SendMessageA(page, WM_GETFONT, 0, 0), TRUE);
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.iImage = -1;
    int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (SendMessageA(tabs, TCM_INSERTITEMA, count, reinterpret_cast<LPARAM>(&item)) < 0) {
        DestroyWindow(page);
        return false;
    }
    return true;
}

void addPage(std::vector<HWND>& pages, HWND tabs, HWND container, Project& project, int dialogId, int textId,
             bool commandPage) {
    HWND page = createPage(dialogId, container, project);
    if (page && appendTab(tabs, page, textId, commandPage)) pages.push_back(page);
}

}  // namespace

std::vector<HWND> createPageSet(HWND tabs, HWND container, Project& project, bool resourcePages) {
    std::vector<HWND> pages;
    int version = project.getProjectVersion();
    if (version != 1 && version != 2) return pages;
    for (const PageRow& row : kRows) {
        const int dialogId = version == 1 ? row.jdk11Dialog : row.jdk20Dialog;
        if (dialogId) addPage(pages, tabs, container, project, dialogId, row.textId, row.commandPage);
    }
    if (resourcePages) {
        addPage(pages, tabs, container, project, IDD_VERSION_PAGE, IDS_TAB_VERSION, false);
        addPage(pages, tabs, container, project, IDD_ICON_PAGE, IDS_TAB_ICON, false);
    }
    return pages;
}
