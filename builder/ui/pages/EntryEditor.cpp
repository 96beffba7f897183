#include "builder/ui/pages/EntryEditor.h"

#include "builder/ui/pages/PageSupport.h"

bool EntryEditor::run(HWND owner) {
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_EDIT_CLASSPATH), owner,
                                     procedure, reinterpret_cast<LPARAM>(this));
    return result == IDOK;
}

INT_PTR CALLBACK EntryEditor::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            return reinterpret_cast<EntryEditor*>(lParam)->onInitDialog(dialog);
        }
        auto* editor = reinterpret_cast<EntryEditor*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (editor && message == WM_COMMAND) return editor->onCommand(dialog, LOWORD(wParam)) ? TRUE : FALSE;
    } catch (...) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

BOOL EntryEditor::onInitDialog(HWND dialog) {
    pages::setControlText(dialog, IDC_ENTRY_TEXT, text_);
    return TRUE;
}

bool EntryEditor::onCommand(HWND dialog, int id) {
    if (id == IDOK) {
        text_ = pages::controlText(dialog, IDC_ENTRY_TEXT);
        EndDialog(dialog, IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return true;
    }
    return false;
}
