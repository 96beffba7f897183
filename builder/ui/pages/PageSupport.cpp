#include "builder/ui/pages/PageSupport.h"

#include <commctrl.h>

#include <optional>

#include "builder/engine/SettingChecks.h"

namespace pages {

std::string controlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return std::string();
    int length = GetWindowTextLengthA(control);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextA(control, buffer.data(), length + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void setControlText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

unsigned readUnsigned(HWND dialog, int id) {
    if (!GetDlgItem(dialog, id)) return 0;
    BOOL ok = FALSE;
    UINT value = GetDlgItemInt(dialog, id, &ok, FALSE);
    return ok ? value : 0;
}

bool isChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void setChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void enableControl(HWND dialog, int id, bool enabled) {
    if (HWND control = GetDlgItem(dialog, id)) EnableWindow(control, enabled ? TRUE : FALSE);
}

std::string listText(HWND list, int index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    LRESULT copied = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void fillList(HWND list, const Project& project, ProjectList which) {
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (const std::string& entry : project.listEntries(which)) {
        // Inserting at the end keeps the stored order even in a sorted list box.
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

std::vector<std::string> nonEmptyLines(HWND list) {
    std::vector<std::string> lines;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text = listText(list, i);
        if (!text.empty()) lines.push_back(std::move(text));
    }
    return lines;
}

void storeList(HWND list, Project& project, ProjectList which) {
    std::vector<std::string> lines = nonEmptyLines(list);
    if (lines == project.listEntries(which)) return;
    project.listClear(which);
    for (const std::string& line : lines) project.listAdd(which, line);
}

void appendLine(HWND list, const std::string& text) {
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

bool deleteSelectedLine(HWND list) {
    int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (index == LB_ERR) return false;
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return true;
}

void refuseEntry(HWND dialog, int field, const std::string& text) {
    MessageBoxA(dialog, text.c_str(), "Data Error", MB_OK);
    SetFocus(GetDlgItem(dialog, field));
}

bool storeChecked(HWND dialog, Project& project, const ExtendedSettings& wanted, StoreFields store) {
    const ExtendedSettings before = project.extended();
    const bool wasModified = project.modified;
    // A problem the project already had (a file written elsewhere) is not
    // this page's: refusing it here would keep the user on a page that
    // cannot mend it. The compile still names it.
    const std::optional<std::string> earlier = extendedSettingProblem(project);
    store(project, wanted);
    const std::optional<std::string> problem = extendedSettingProblem(project);
    if (!problem || problem == earlier) return true;
    store(project, before);
    project.modified = wasModified;
    MessageBoxA(dialog, problem->c_str(), "Data Error", MB_OK);
    return false;
}

OwnedWindow addToolTips(HWND dialog, std::initializer_list<std::pair<int, const char*>> tips) {
    OwnedWindow window(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, nullptr, nullptr));
    HWND tip = window.get();
    if (!tip) return window;
    SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 320);
    for (const auto& [id, text] : tips) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, id));
        tool.lpszText = const_cast<char*>(text);
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return window;
}

INT_PTR answer(HWND dialog, LONG_PTR result) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

HWND createPage(HWND container, Project* project, int dialogId, DLGPROC procedure) {
    if (!project) return nullptr;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialogId), container, procedure,
                              reinterpret_cast<LPARAM>(project));
}

}  // namespace pages
