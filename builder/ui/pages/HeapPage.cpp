// The heap pages (dialogs 123 and 124): heap and stack sizes in kilobytes.

#include "builder/ui/Pages.h"
#include "builder/ui/pages/PageSupport.h"

namespace {

using namespace pages;

class HeapPage {
public:
    HeapPage(HWND dialog, Project& project) : dialog_(dialog), project_(project) {}

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        return dispatchPage<HeapPage>(dialog, message, wParam, lParam);
    }

    // The JDK 2.0 template has no stack fields: filling them does nothing.
    BOOL onInitDialog() {
        SetDlgItemInt(dialog_, IDC_MIN_HEAP, project_.minHeap(), FALSE);
        SetDlgItemInt(dialog_, IDC_MAX_HEAP, project_.maxHeap(), FALSE);
        SetDlgItemInt(dialog_, IDC_NATIVE_STACK, project_.maxNativeStack(), FALSE);
        SetDlgItemInt(dialog_, IDC_JAVA_STACK, project_.maxJavaStack(), FALSE);
        return FALSE;
    }

    bool onCommand(int, int) { return false; }

    // No range check: the sizes are stored as typed, and a missing field
    // (both stacks on the JDK 2.0 template) stores 0. Those zeros are not a
    // change of the user's: they leave the modified flag as it was, so a
    // JDK 2.0 project does not ask to be saved because a tab was visited.
    bool onVerify() {
        project_.setMinHeap(readUnsigned(dialog_, IDC_MIN_HEAP));
        project_.setMaxHeap(readUnsigned(dialog_, IDC_MAX_HEAP));
        storeStack(IDC_NATIVE_STACK, &Project::setMaxNativeStack);
        storeStack(IDC_JAVA_STACK, &Project::setMaxJavaStack);
        return true;
    }

    int helpId() const { return 7; }

private:
    void storeStack(int id, void (Project::*setter)(std::uint32_t)) {
        const bool shown = GetDlgItem(dialog_, id) != nullptr;
        const bool wasModified = project_.modified;
        (project_.*setter)(readUnsigned(dialog_, id));
        if (!shown) project_.modified = wasModified;
    }

    HWND dialog_;
    Project& project_;
};

}  // namespace

HWND createHeapPage(HWND container, Project* project, int dialogId) {
    if (dialogId != IDD_HEAP_JDK11 && dialogId != IDD_HEAP_JDK20) return nullptr;
    return createPage(container, project, dialogId, HeapPage::procedure);
}
