#include "builder/ui/FrameWindow.h"

#include <commctrl.h>

#include <exception>
#include <string>

#include "builder/engine/Project.h"
#include "builder/ui/AboutDialog.h"
#include "builder/ui/FrameState.h"
#include "builder/ui/HandOver.h"
#include "builder/ui/ProjectWindow.h"
#include "builder/ui/ProjectWindows.h"
#include "builder/ui/Toolbar.h"
#include "builder/ui/UserGuide.h"
#include "builder/ui/VersionDialog.h"
#include "builder/ui/resource.h"

namespace {

constexpr DWORD kMdiClientStyle = 0x52800001;  // child, visible, clip children, border, all child styles
constexpr DWORD kStatusBarStyle = 0x54000013;  // child, visible, clip siblings, bottom, no highlight
constexpr int kMdiClientId = 1;
constexpr int kStatusBarId = 2;
constexpr UINT kFirstChildId = 3000;
constexpr int kToolbarHeight = 30;
constexpr const char* kHelpFile = "Caskit.hlp";

char gToolTipText[128];

void enableCommand(int id, bool enabled) {
    const frame::State& s = frame::state();
    EnableMenuItem(GetMenu(s.window), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    if (s.toolbar) setToolbarButtonEnabled(s.toolbar, id, enabled);
}

}  // namespace

bool FrameWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hIconSm = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszMenuName = "Caskit2";
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
}

HWND FrameWindow::create(HINSTANCE instance) {
    return CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

void FrameWindow::refreshCommandState() {
    if (!frame::state().window) return;
    ProjectWindow* active = projects::active();
    enableCommand(IDM_SAVE, active && active->project().modified);
    enableCommand(IDM_COMPILE, active && active->project().isReadyToCompile());
}

bool FrameWindow::onCreate(HWND window) {
    frame::State& s = frame::state();
    s.window = window;
    CLIENTCREATESTRUCT client{};
    client.hWindowMenu = nullptr;
    client.idFirstChild = kFirstChildId;
    s.mdiClient = CreateWindowExA(0, "MDICLIENT", nullptr, kMdiClientStyle, 0, 0, 0, 0, window,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMdiClientId)), s.instance, &client);
    s.statusBar = CreateStatusWindowA(kStatusBarStyle, "Ready", window, kStatusBarId);
    s.toolbar = createFrameToolbar(window, s.instance);
    return s.mdiClient != nullptr;
}

void FrameWindow::onSize(int width, int height) {
    const frame::State& s = frame::state();
    RECT status{};
    if (s.statusBar) GetWindowRect(s.statusBar, &status);
    int statusHeight = status.bottom - status.top;
    if (s.toolbar) MoveWindow(s.toolbar, 0, 0, width, kToolbarHeight, TRUE);
    if (s.mdiClient) MoveWindow(s.mdiClient, 0, kToolbarHeight, width, height - statusHeight - kToolbarHeight, TRUE);
    if (s.statusBar) {
        MoveWindow(s.statusBar, 0, height - statusHeight, width, statusHeight, TRUE);
        int parts[2] = {static_cast<int>(width * 0.67), -1};
        SendMessageA(s.statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    }
}

bool FrameWindow::closeAll() {
    HWND mdiClient = frame::state().mdiClient;
    HWND child = GetWindow(mdiClient, GW_CHILD);
    while (child) {
        HWND next = GetWindow(child, GW_HWNDNEXT);
        if (!GetWindow(child, GW_OWNER)) {  // icon titles have an owner
            SendMessageA(mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
            if (SendMessageA(child, WM_QUERYENDSESSION, 0, 0)) {
                SendMessageA(mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
            }
        }
        child = next;
    }
    return GetWindow(mdiClient, GW_CHILD) == nullptr;
}

bool FrameWindow::askBeforeShutdown() {
    HWND mdiClient = frame::state().mdiClient;
    for (HWND child = GetWindow(mdiClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindow(child, GW_OWNER) || !ProjectWindow::of(child)) continue;
        SendMessageA(mdiClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
        if (!SendMessageA(child, WM_QUERYENDSESSION, 0, 0)) return false;
    }
    return true;
}

bool FrameWindow::onCommand(int id) {
    const frame::State& s = frame::state();
    switch (id) {
    case IDM_NEW:
        if (int version = VersionDialog::ask(s.instance, s.window)) projects::createNew(version);
        return true;
    case IDM_OPEN:
        projects::open(std::string());
        return true;
    case IDM_SAVE:
        // A page that refuses what it holds (its message is shown) keeps the
        // project as it was: saving then would store less than the page shows.
        if (ProjectWindow* active = projects::active()) {
            if (projects::verifyActivePage()) active->save();
        }
        return true;
    case IDM_EXIT:
        SendMessageA(s.window, WM_CLOSE, 0, 0);
        return true;
    case IDM_ABOUT:
        AboutDialog::show(s.instance, s.window);
        return true;
    case IDM_COMPILE:
        // Greyed in menu and toolbar unless ready; a command that arrives
        // anyway (Ctrl+C, another program) is ignored the same way.
        if (ProjectWindow* active = projects::active()) {
            if (active->project().isReadyToCompile() && projects::verifyActivePage()) active->compile();
        }
        return true;
    case IDM_TILE:
        SendMessageA(s.mdiClient, WM_MDITILE, 0, 0);
        return true;
    case IDM_CASCADE:
        SendMessageA(s.mdiClient, WM_MDICASCADE, 0, 0);
        return true;
    case IDM_CLOSEALL:
        closeAll();
        return true;
    // WinHelp first, as always; where it fails (no WinHelp since Windows
    // Vista) the HTML guide opens at the same topic.
    case IDM_HELPTOPICS:
        if (!WinHelpA(s.window, kHelpFile, HELP_CONTENTS, 0)) openUserGuide(s.window, 0);
        return true;
    case IDM_CONTEXTHELP: {
        int context = projects::activeHelpContext();
        if (!WinHelpA(s.window, kHelpFile, HELP_CONTEXT, static_cast<ULONG_PTR>(context))) {
            openUserGuide(s.window, context);
        }
        return true;
    }
    default:
        return false;
    }
}

LRESULT FrameWindow::onNotify(NMHDR* header) {
    if (header->code == NM_CUSTOMDRAW && header->hwndFrom == frame::state().toolbar) {
        return paintToolbarBackground(header);
    }
    answerToolTip(header, frame::state().instance, gToolTipText, sizeof gToolTipText);
    return 0;
}

bool FrameWindow::onCopyData(HWND window, const COPYDATASTRUCT* data) {
    char* block = copyHandOverData(data);
    if (!block) return false;
    queueOpenProject(window, block);
    return true;
}

void FrameWindow::onOpenProject(LPARAM block) {
    OwnedHandOverBlock path = claimQueuedBlock(block);
    if (path) projects::open(std::string(path.get()));
}

LRESULT FrameWindow::dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND mdiClient = frame::state().mdiClient;
    switch (message) {
    case WM_CREATE:
        return onCreate(window) ? 0 : -1;
    case WM_SIZE:
        onSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (onCommand(LOWORD(wParam))) return 0;
        break;
    case WM_NOTIFY:
        return onNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_COPYDATA:
        return onCopyData(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case OPEN_PROJECT:
        onOpenProject(lParam);
        return 0;
    case WM_CLOSE:
        if (!closeAll()) return 0;
        break;
    case WM_QUERYENDSESSION:
        // Only asks: another program may still veto the shutdown, and the
        // windows (with their edits) must then still be there.
        return askBeforeShutdown() ? TRUE : FALSE;
    case WM_ENDSESSION:
        // The session ends: every project has been asked already.
        if (wParam) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefFrameProcA(window, mdiClient, message, wParam, lParam);
}

LRESULT CALLBACK FrameWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return dispatch(window, message, wParam, lParam);
    } catch (const std::exception&) {
        // Nothing may unwind out of the window procedure.
    } catch (...) {
    }
    if (message == WM_CREATE) return -1;
    return 0;
}
