#include "builder/ui/KeyboardRouting.h"

#include "builder/ui/ProjectWindow.h"
#include "builder/ui/ProjectWindows.h"

namespace {

bool controlHeld() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

bool isCopyInEdit(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != 'C' || !controlHeld()) return false;
    HWND focus = GetFocus();
    char className[16] = {};
    if (!focus || !GetClassNameA(focus, className, sizeof className) || lstrcmpiA(className, "Edit") != 0) return false;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start;
}

bool switchTabByKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_NEXT && msg.wParam != VK_PRIOR) || !controlHeld()) return false;
    ProjectWindow* window = projects::active();
    if (!window) return false;
    window->showAdjacentPage(msg.wParam == VK_NEXT ? 1 : -1);
    return true;
}

bool offerToVisiblePage(MSG& msg) {
    ProjectWindow* window = projects::active();
    HWND page = window ? window->currentPage() : nullptr;
    return page && IsDialogMessageA(page, &msg);
}
