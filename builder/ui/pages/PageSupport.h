#pragma once
// What every page of a project window shares: control access, the page
// answers (PAGE_VERIFY, GET_HELP_ID) and the dialog procedure skeleton
// that attaches a page object and keeps exceptions inside the page.

#include <windows.h>

#include <string>
#include <type_traits>

#include "builder/engine/Project.h"
#include "builder/ui/resource.h"

namespace pages {

std::string controlText(HWND dialog, int id);
void setControlText(HWND dialog, int id, const std::string& text);
// The control's text as an unsigned decimal; 0 for empty text, text that is
// not a number, or a control the template lacks.
unsigned readUnsigned(HWND dialog, int id);
bool isChecked(HWND dialog, int id);
void setChecked(HWND dialog, int id, bool checked);
void enableControl(HWND dialog, int id, bool enabled);

// A list box line, and list-box filling/storing shared by the list pages.
std::string listText(HWND list, int index);
void fillList(HWND list, const Project& project, ProjectList which);
// Stores the non-empty lines into the project list, in order; an unchanged
// list is left alone, so the project stays unmodified.
void storeList(HWND list, Project& project, ProjectList which);

// Sets the answer of a dialog message and returns TRUE.
INT_PTR answer(HWND dialog, LONG_PTR result);

// Creates a page hidden inside `container` from its template.
HWND createPage(HWND container, Project* project, int dialogId, DLGPROC procedure);

// The dialog procedure of a page type. WM_INITDIALOG keeps the Project in
// DWLP_USER and the page object (Page(dialog, project)) in GWLP_USERDATA;
// the page is deleted at WM_NCDESTROY. Page offers onInitDialog(),
// onCommand(id, code), onVerify() and helpId(). An onVerify() that returns
// bool refuses with false: PAGE_VERIFY then answers 0, which keeps the page
// in front and stops Compile Project.
template <class Page>
INT_PTR dispatchPage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (message == WM_INITDIALOG) {
            auto* project = reinterpret_cast<Project*>(lParam);
            if (!project) return FALSE;
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            auto* page = new Page(dialog, *project);
            SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
            return page->onInitDialog();
        }
        auto* page = reinterpret_cast<Page*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
        if (!page) return FALSE;
        switch (message) {
        case WM_COMMAND:
            return page->onCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case PAGE_VERIFY:
            if constexpr (std::is_same_v<decltype(page->onVerify()), bool>)
                return answer(dialog, page->onVerify() ? 1 : 0);
            page->onVerify();
            return answer(dialog, 1);
        case GET_HELP_ID:
            return answer(dialog, page->helpId());
        case WM_NCDESTROY:
            SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
            delete page;
            return FALSE;
        default:
            return FALSE;
        }
    } catch (...) {
        // Nothing may leave a dialog procedure (the engine's XException
        // family included); the message counts as unhandled, so a failed
        // PAGE_VERIFY answers 0.
        return FALSE;
    }
}

}  // namespace pages
