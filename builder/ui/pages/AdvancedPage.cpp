// The advanced pages (dialogs 109 and 125): system class-path mode,
// byte-code verification and the VM switches.

#include "builder/ui/Pages.h"
#include "builder/ui/pages/PageSupport.h"

namespace {

using namespace pages;

const int kClassPathModes[3] = {IDC_CP_APPEND, IDC_CP_PREPEND, IDC_CP_IGNORE};
const int kVerifyOptions[3] = {IDC_VERIFY_REMOTE, IDC_VERIFY_ON, IDC_VERIFY_OFF};

class AdvancedPage {
public:
    AdvancedPage(HWND dialog, Project& project)
        : dialog_(dialog), project_(project), jdk20_(GetDlgItem(dialog, IDC_JIT) != nullptr) {}

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        return dispatchPage<AdvancedPage>(dialog, message, wParam, lParam);
    }

    BOOL onInitDialog() {
        showChoice(kClassPathModes, project_.classPathMode());
        if (jdk20_) {
            setChecked(dialog_, IDC_JIT, project_.jitEnabled());
        } else {
            showChoice(kVerifyOptions, project_.verifyOption());
            setChecked(dialog_, IDC_ASYNC_GC, project_.asyncGcEnabled());
        }
        setChecked(dialog_, IDC_CLASS_GC, project_.classGcEnabled());
        setChecked(dialog_, IDC_CONSOLE, project_.consoleWindow());
        enableControl(dialog_, IDC_ROUTE_CONSOLE, project_.consoleWindow());
        setChecked(dialog_, IDC_ROUTE_CONSOLE, project_.routeConsole());
        return FALSE;
    }

    bool onCommand(int id, int code) {
        if (id != IDC_CONSOLE || code != BN_CLICKED) return false;
        enableControl(dialog_, IDC_ROUTE_CONSOLE, isChecked(dialog_, IDC_CONSOLE));
        return true;
    }

    bool onVerify() {
        project_.setClassPathMode(checkedChoice(kClassPathModes));
        if (jdk20_) {
            project_.setJitEnabled(isChecked(dialog_, IDC_JIT));
        } else {
            project_.setVerifyOption(checkedChoice(kVerifyOptions));
            project_.setAsyncGcEnabled(isChecked(dialog_, IDC_ASYNC_GC));
        }
        project_.setClassGcEnabled(isChecked(dialog_, IDC_CLASS_GC));
        project_.setConsoleWindow(isChecked(dialog_, IDC_CONSOLE));
        project_.setRouteConsole(isChecked(dialog_, IDC_ROUTE_CONSOLE));
        return true;
    }

    int helpId() const { return 6; }

private:
    // Checks the radio of `value` (0, 1 or 2) and unchecks the others.
    void showChoice(const int (&radios)[3], int value) {
        for (int i = 0; i < 3; ++i) setChecked(dialog_, radios[i], i == value);
    }

    // 0 or 1 for the first two radios, otherwise 2.
    int checkedChoice(const int (&radios)[3]) const {
        if (isChecked(dialog_, radios[0])) return 0;
        if (isChecked(dialog_, radios[1])) return 1;
        return 2;
    }

    HWND dialog_;
    Project& project_;
    bool jdk20_;
};

}  // namespace

HWND createAdvancedPage(HWND container, Project* project, int dialogId) {
    if (dialogId != IDD_ADVANCED_JDK11 && dialogId != IDD_ADVANCED_JDK20) return nullptr;
    return createPage(container, project, dialogId, AdvancedPage::procedure);
}
