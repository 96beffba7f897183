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
    // brush, which would leave the frame's workspace colour behind the
    // buttons; the toolbar is the only one of its class in this program.
    if (toolbar && !GetClassLongPtrA(toolbar, GCLP_HBRBACKGROUND)) {
        SetClassLongPtrA(toolbar, GCLP_HBRBACKGROUND, static_cast<LONG_PTR>(COLOR_BTNFACE + 1));
    }
    return toolbar;
}

void setToolbarButtonEnabled(HWND toolbar, int command, bool enabled) {
    LRESULT wanted = enabled ? TBSTATE_ENABLED : 0;
    if (SendMessageA(toolbar, TB_GETSTATE, command, 0) != wanted) {
        SendMessageA(toolbar, TB_SETSTATE, command, MAKELPARAM(wanted, 0));
    }
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
