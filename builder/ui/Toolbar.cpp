#include "builder/ui/Toolbar.h"

#include <commctrl.h>

#include "builder/ui/resource.h"

namespace {

constexpr DWORD kToolbarStyle = 0x54800104;  // child, visible, clip siblings, border, tool tips, no resize
constexpr int kToolbarImages = 14;

TBBUTTON button(int image, int command) {
    TBBUTTON b{};
    b.iBitmap = image;
    b.idCommand = command;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = TBSTYLE_BUTTON;
    return b;
}

TBBUTTON separator() {
    TBBUTTON b{};
    b.fsStyle = TBSTYLE_SEP;
    return b;
}

}  // namespace

HWND createFrameToolbar(HWND frame, HINSTANCE instance) {
    const TBBUTTON buttons[] = {
        separator(), button(0, IDM_NEW), button(1, IDM_OPEN), button(2, IDM_SAVE), separator(), button(3, IDM_COMPILE),
    };
    HWND toolbar =
        CreateToolbarEx(frame, kToolbarStyle, IDB_TOOLBAR, kToolbarImages, instance, IDB_TOOLBAR, buttons,
                        static_cast<int>(sizeof buttons / sizeof buttons[0]), 16, 16, 16, 16, sizeof(TBBUTTON));
    // Some comctl32 versions register the toolbar class without a background
    // brush, which leaves the frame's workspace colour behind the buttons.
    // Those that know custom erasing ask the frame (paintToolbarBackground);
    // for the others the class gets the button face brush (the toolbar is
    // the only one of its class in this program).
    if (toolbar) {
        SetWindowLongPtrA(toolbar, GWL_STYLE, GetWindowLongPtrA(toolbar, GWL_STYLE) | TBSTYLE_CUSTOMERASE);
        if (!GetClassLongPtrA(toolbar, GCLP_HBRBACKGROUND)) {
            SetClassLongPtrA(toolbar, GCLP_HBRBACKGROUND, static_cast<LONG_PTR>(COLOR_BTNFACE + 1));
        }
    }
    return toolbar;
}

// Only the enabled bit is looked at and changed: the refresh runs after
// every message, also while a button is held down, and must leave its
// pressed state alone.
void setToolbarButtonEnabled(HWND toolbar, int command, bool enabled) {
    LRESULT state = SendMessageA(toolbar, TB_GETSTATE, command, 0);
    if (state == -1 || ((state & TBSTATE_ENABLED) != 0) == enabled) return;
    LRESULT wanted = enabled ? (state | TBSTATE_ENABLED) : 0;
    SendMessageA(toolbar, TB_SETSTATE, command, MAKELPARAM(wanted, 0));
}

LRESULT paintToolbarBackground(const NMHDR* header) {
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage != CDDS_PREERASE) return CDRF_DODEFAULT;
    RECT area{};
    GetClientRect(header->hwndFrom, &area);
    FillRect(draw->hdc, &area, GetSysColorBrush(COLOR_BTNFACE));
    return CDRF_SKIPDEFAULT;
}

bool answerToolTip(NMHDR* header, HINSTANCE instance, char* buffer, int bufferSize) {
    if (header->code == TTN_NEEDTEXTA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        buffer[0] = '\0';
        LoadStringA(instance, static_cast<UINT>(header->idFrom), buffer, bufferSize);
        info->lpszText = buffer;
        info->hinst = nullptr;
        return true;
    }
    if (header->code == TTN_NEEDTEXTW) {
        // Some tool-tip controls ask in Unicode even for an ANSI frame.
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        char text[128] = {};
        LoadStringA(instance, static_cast<UINT>(header->idFrom), text, sizeof text);
        MultiByteToWideChar(CP_ACP, 0, text, -1, info->szText, static_cast<int>(sizeof info->szText / sizeof(WCHAR)));
        info->lpszText = info->szText;
        info->hinst = nullptr;
        return true;
    }
    return false;
}
