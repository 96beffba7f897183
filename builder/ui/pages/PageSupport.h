#pragma once
// What every page of a project window shares: control access, the page
// answers (PAGE_VERIFY, GET_HELP_ID) and the dialog procedure skeleton
// that attaches a page object and keeps exceptions inside the page.

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "builder/engine/Project.h"
#include "builder/ui/Owned.h"
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
// The non-empty lines, in order.
std::vector<std::string> nonEmptyLines(HWND list);
// Appends a line at the end (the stored order, even in a sorted list box).
void appendLine(HWND list, const std::string& text);
// Deletes the selected line and clears the selection; false without one.
bool deleteSelectedLine(HWND list);

// Shows `text` in a "Data Error" box over the page and moves the focus to
// the control `field`: the answer to an entry the page refuses.
void refuseEntry(HWND dialog, int field, const std::string& text);

// Stores settings beyond the original record that a page shows: `store`
// copies the page's fields from a set of settings into the project (through
// its setters). `wanted` is the project's settings with the page's fields
// as the controls hold them. When the compile would refuse the project
// with them and not before, the project keeps its previous values (and
// modified flag), the page shows the compile's message, and the answer is
// false: the page stays, the controls keep what was typed.
using StoreFields = void (*)(Project& project, const ExtendedSettings& from);
bool storeChecked(HWND dialog, Project& project, const ExtendedSettings& wanted, StoreFields store);

// Tool tips for controls of a page (control id, text). The tool tip window
// is a pop-up owned by the page's top-level window, which outlives the
// page: the page keeps the window returned and so ends it with itself.
OwnedWindow addToolTips(HWND dialog, std::initializer_list<std::pair<int, const char*>> tips);

// Sets the answer of a dialog message and returns TRUE.
INT_PTR answer(HWND dialog, LONG_PTR result);

// Creates a page hidden inside `container` from its template.
HWND createPage(HWND container, Project* project, int dialogId, DLGPROC procedure);

// The dialog procedure of a page type. WM_INITDIALOG keeps the Project in
// DWLP_USER and the page object (Page(dialog, project)) in GWLP_USERDATA;
// the page is deleted at WM_NCDESTROY. Page offers onInitDialog(),
// onCommand(id, code), onVerify() (false: the page refuses what it holds)
// and helpId().
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
            return answer(dialog, page->onVerify() ? 1 : 0);
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
