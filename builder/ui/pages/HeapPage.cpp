// The heap pages (dialogs 123 and 124): heap and stack sizes in kilobytes;
// on the JDK 2.0 page each heap size may be left to the runtime instead.

#include "builder/engine/Jdk11Sizes.h"
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
        for (const HeapChoice& c : kHeapChoices) {
            setChecked(dialog_, c.box, project_.extended().runtimeHeap & c.bit);
            enableControl(dialog_, c.field, !isChecked(dialog_, c.box));
        }
        return FALSE;
    }

    // A size the runtime chooses has nothing to type.
    bool onCommand(int id, int) {
        for (const HeapChoice& c : kHeapChoices)
            if (id == c.box) enableControl(dialog_, c.field, !isChecked(dialog_, c.box));
        return false;
    }

    // The sizes are stored as typed, and a missing field (both stacks on
    // the JDK 2.0 template) stores 0. Those zeros are not a change of the
    // user's: they leave the modified flag as it was, so a JDK 2.0 project
    // does not ask to be saved because a tab was visited. A JDK 1.1 size
    // that the runtime's 32-bit byte counts cannot hold is refused with a
    // message (the page stays, and the project is not compiled).
    bool onVerify() {
        project_.setMinHeap(readUnsigned(dialog_, IDC_MIN_HEAP));
        project_.setMaxHeap(readUnsigned(dialog_, IDC_MAX_HEAP));
        storeStack(IDC_NATIVE_STACK, &Project::setMaxNativeStack);
        storeStack(IDC_JAVA_STACK, &Project::setMaxJavaStack);
        if (GetDlgItem(dialog_, IDC_MIN_HEAP_DEFAULT)) {
            std::uint32_t bits = 0;
            for (const HeapChoice& c : kHeapChoices)
                if (isChecked(dialog_, c.box)) bits |= c.bit;
            project_.setExtended(&ExtendedSettings::runtimeHeap, bits);
        }
        const std::optional<std::string> problem = jdk11SizeProblem(project_);
        if (problem) MessageBoxA(dialog_, problem->c_str(), "Data Error", MB_OK);
        return !problem;
    }

    int helpId() const { return 7; }

private:
    // A "Runtime default" box, the size field it stands for, its bit.
    struct HeapChoice {
        int box, field;
        std::uint32_t bit;
    };
    static constexpr HeapChoice kHeapChoices[] = {{IDC_MIN_HEAP_DEFAULT, IDC_MIN_HEAP, kRuntimeMinHeap},
                                                  {IDC_MAX_HEAP_DEFAULT, IDC_MAX_HEAP, kRuntimeMaxHeap}};

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
