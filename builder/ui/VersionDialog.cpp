#include "builder/ui/VersionDialog.h"

#include "builder/ui/Centring.h"
#include "builder/ui/resource.h"

int VersionDialog::ask(HINSTANCE instance, HWND owner) {
    INT_PTR answer = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SELECT_VERSION), owner, procedure, 0);
    return answer == 1 || answer == 2 ? static_cast<int>(answer) : 0;
}

void VersionDialog::onInitDialog(HWND dialog) {
    CheckRadioButton(dialog, IDC_JDK11, IDC_JDK20, IDC_JDK11);
    centreWindow(dialog, GetParent(dialog));
    ShowWindow(dialog, SW_SHOW);
}

void VersionDialog::onCommand(HWND dialog, int id) {
    if (id == IDOK) {
        int answer = 0;
        if (IsDlgButtonChecked(dialog, IDC_JDK11) == BST_CHECKED) {
            answer = 1;
        } else if (IsDlgButtonChecked(dialog, IDC_JDK20) == BST_CHECKED) {
            answer = 2;
        }
        EndDialog(dialog, answer);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, 0);
    }
}

INT_PTR CALLBACK VersionDialog::procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        onCommand(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
