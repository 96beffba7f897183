// The environment page (dialog 107) and the properties page (dialog 108):
// lists of key=value entries, one implementation with its own list box and
// project list per template.

#include "builder/ui/Pages.h"
#include "builder/ui/pages/PageSupport.h"

namespace {

using namespace pages;

class KeyValuePage {
public:
    KeyValuePage(HWND dialog, Project& project)
        : dialog_(dialog),
          project_(project),
          environment_(GetDlgItem(dialog, IDC_ENVIRONMENT_LIST) != nullptr),
          list_(GetDlgItem(dialog, environment_ ? IDC_ENVIRONMENT_LIST : IDC_PROPERTIES_LIST)) {}

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        return dispatchPage<KeyValuePage>(dialog, message, wParam, lParam);
    }

    BOOL onInitDialog() {
        fillList(list_, project_, which());
        return FALSE;
    }

    bool onCommand(int id, int code) {
        if (code != BN_CLICKED) return false;
        if (id == IDC_ADD_PAIR) onAdd();
        else if (id == IDC_DELETE_PAIR) onDelete();
        else return false;
        return true;
    }

    bool onVerify() {
        storeList(list_, project_, which());
        return true;
    }

    int helpId() const { return environment_ ? 5 : 4; }

private:
    ProjectList which() const { return environment_ ? ProjectList::Environment : ProjectList::Properties; }

    void onAdd() {
        std::string key = controlText(dialog_, IDC_KEY);
        std::string value = controlText(dialog_, IDC_VALUE);
        if (key.empty()) return;
        if (key.find('=') != std::string::npos) {
            refuseEntry(dialog_, IDC_KEY, "The key cannot contain an \"=\" character.");
            return;
        }
        if (value.find('=') != std::string::npos) {
            refuseEntry(dialog_, IDC_VALUE, "The value cannot contain an \"=\" character.");
            return;
        }
        appendLine(list_, key + "=" + value);
        project_.modified = true;
    }

    void onDelete() {
        if (deleteSelectedLine(list_)) project_.modified = true;
    }

    HWND dialog_;
    Project& project_;
    bool environment_;
    HWND list_;
};

}  // namespace

HWND createEnvironmentPage(HWND container, Project* project) {
    return createPage(container, project, IDD_ENVIRONMENT_PAGE, KeyValuePage::procedure);
}

HWND createPropertiesPage(HWND container, Project* project) {
    return createPage(container, project, IDD_PROPERTIES_PAGE, KeyValuePage::procedure);
}
