#include "tests/ui/Builder.h"

#include <commctrl.h>

#include "builder/ui/resource.h"

namespace {

HWND childOfClass(HWND parent, const std::string& wanted) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) == wanted) return child;
    }
    return nullptr;
}

// The kind of a page, told by a control only that page has.
std::string pageKind(HWND page) {
    if (GetDlgItem(page, IDC_EXE_NAME)) return "command";
    if (GetDlgItem(page, IDC_ADD_MANUALLY)) return "classpath";
    if (GetDlgItem(page, IDC_ENVIRONMENT_LIST)) return "environment";
    if (GetDlgItem(page, IDC_KEY)) return "properties";
    if (GetDlgItem(page, IDC_CONSOLE)) return "advanced";
    if (GetDlgItem(page, IDC_MIN_HEAP)) return "heap";
    if (GetDlgItem(page, IDC_VM_OPTION_LIST)) return "runtime";
    if (GetDlgItem(page, IDC_COMPANY_NAME)) return "version";
    if (GetDlgItem(page, IDC_LARGE_ICON_PATH)) return "icon";
    return "unknown";
}

}  // namespace

bool Builder::start(const std::string& exe, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process_)) {
        return false;
    }
    // The frame can be found while it is still creating its children.
    return eventually([&] {
        frame = FindWindowA("CaskitFrame", "Caskit2");
        if (!frame) return false;
        for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (lstrcmpiA(className(child).c_str(), "MDIClient") == 0) mdiClient = child;
        }
        toolbar = childOfClass(frame, TOOLBARCLASSNAMEA);
        statusBar = childOfClass(frame, STATUSCLASSNAMEA);
        return mdiClient && toolbar && statusBar && IsWindowVisible(frame);
    }, 60000);
}

int Builder::exitCode(int ms) {
    if (WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) return -999;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

LRESULT Builder::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 60000, &result);
    return static_cast<LRESULT>(result);
}

void Builder::command(int id) { send(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Builder::postCommand(int id) { PostMessageA(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Builder::settle() {
    // Posted messages are read in order. A marker posted now (the status
    // bar's simple mode, read back with SB_ISSIMPLE) is handled only after
    // everything posted before it; once a second marker is handled, the
    // command-state refresh after the first has run too. The bar ends in
    // its usual mode.
    PostMessageA(statusBar, SB_SIMPLE, TRUE, 0);
    eventually([&] { return send(statusBar, SB_ISSIMPLE) != 0; });
    PostMessageA(statusBar, SB_SIMPLE, FALSE, 0);
    eventually([&] { return send(statusBar, SB_ISSIMPLE) == 0; });
}

std::string Builder::statusPart(int part) {
    RemoteBuffer buffer(process(), 512);
    send(statusBar, SB_GETTEXTA, part, buffer.param());
    return buffer.readText();
}

int Builder::toolbarState(int command) { return static_cast<int>(send(toolbar, TB_GETSTATE, command, 0)); }

HWND Builder::activeChild() { return reinterpret_cast<HWND>(send(mdiClient, WM_MDIGETACTIVE, 0, 0)); }

std::vector<HWND> Builder::children() {
    std::vector<HWND> list;
    for (HWND child = GetWindow(mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) == "ProjectWindowClass") list.push_back(child);
    }
    return list;
}

HWND Builder::tabs(HWND projectWindow) { return childOfClass(projectWindow, WC_TABCONTROLA); }

int Builder::tabCount(HWND projectWindow) {
    return static_cast<int>(send(tabs(projectWindow), TCM_GETITEMCOUNT, 0, 0));
}

std::string Builder::tabText(HWND projectWindow, int index) {
    RemoteBuffer buffer(process(), sizeof(TCITEMA) + 300);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<char*>(buffer.param(sizeof(TCITEMA)));
    item.cchTextMax = 256;
    buffer.write(&item, sizeof item);
    char zero[300] = {};
    buffer.write(zero, sizeof zero, sizeof(TCITEMA));
    send(tabs(projectWindow), TCM_GETITEMA, index, buffer.param());
    return buffer.readText(sizeof(TCITEMA));
}

int Builder::currentTab(HWND projectWindow) {
    return static_cast<int>(send(tabs(projectWindow), TCM_GETCURSEL, 0, 0));
}

bool Builder::selectTab(HWND projectWindow, int index) {
    // Notifications cannot be sent across processes: the tab control is
    // clicked instead, and sends TCN_SELCHANGING / TCN_SELCHANGE itself.
    HWND tabControl = tabs(projectWindow);
    if (currentTab(projectWindow) == index) return true;
    RemoteBuffer buffer(process(), sizeof(RECT));
    send(tabControl, TCM_GETITEMRECT, index, buffer.param());
    RECT item{};
    buffer.read(&item, sizeof item);
    LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    send(tabControl, WM_LBUTTONDOWN, MK_LBUTTON, point);
    send(tabControl, WM_LBUTTONUP, 0, point);
    return currentTab(projectWindow) == index;
}

std::vector<Page> Builder::pages(HWND projectWindow) {
    std::vector<Page> list;
    HWND container = childOfClass(projectWindow, "PropertySheet");
    if (!container) return list;
    std::vector<HWND> all;
    for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        all.push_back(child);
    }
    for (HWND page : all) list.push_back(Page{page, pageKind(page)});
    return list;
}

HWND Builder::visiblePage(HWND projectWindow) {
    for (const Page& page : pages(projectWindow)) {
        if (IsWindowVisible(page.window)) return page.window;
    }
    return nullptr;
}

std::string Builder::kindOf(HWND projectWindow, HWND page) {
    for (const Page& p : pages(projectWindow)) {
        if (p.window == page) return p.kind;
    }
    return std::string();
}

HWND Builder::pageOf(HWND projectWindow, const std::string& kind) {
    for (const Page& page : pages(projectWindow)) {
        if (page.kind == kind) return page.window;
    }
    return nullptr;
}
