// The class-path page (dialog 106): the ordered list of class-path entries.

#include "builder/ui/Pages.h"
#include "builder/ui/pages/EntryEditor.h"
#include "builder/ui/pages/PagePickers.h"
#include "builder/ui/pages/PageSupport.h"

namespace {

using namespace pages;

const char kArchiveFilter[] = "Jar Files (*.jar)\0*.jar\0Zip Files (*.zip)\0*.zip\0";

class ClassPathPage {
public:
    ClassPathPage(HWND dialog, Project& project)
        : dialog_(dialog), project_(project), list_(GetDlgItem(dialog, IDC_CLASSPATH_LIST)) {}

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        return dispatchPage<ClassPathPage>(dialog, message, wParam, lParam);
    }

    BOOL onInitDialog() {
        fillList(list_, project_, ProjectList::ClassPath);
        return FALSE;
    }

    bool onCommand(int id, int code) {
        if (id == IDC_CLASSPATH_LIST) {
            if (code == LBN_DBLCLK) onEdit();
            return code == LBN_DBLCLK;
        }
        if (code != BN_CLICKED) return false;
        switch (id) {
        case IDC_ADD_PATH: onAddPath(); return true;
        case IDC_ADD_FILE: onAddFile(); return true;
        case IDC_ADD_MANUALLY: onAddManually(); return true;
        case IDC_EDIT_ENTRY: onEdit(); return true;
        case IDC_DELETE_ENTRY: onDelete(); return true;
        case IDC_MOVE_UP: onMove(-1); return true;
        case IDC_MOVE_DOWN: onMove(1); return true;
        default: return false;
        }
    }

    bool onVerify() {
        storeList(list_, project_, ProjectList::ClassPath);
        return true;
    }

    int helpId() const { return 3; }

private:
    int selection() const { return static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)); }
    int count() const { return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)); }

    void insert(int index, const std::string& text) {
        SendMessageA(list_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    }

    void append(const std::string& text) {
        insert(-1, text);
        project_.modified = true;
    }

    // Deletes line `from` and inserts `text` at `to`, without redrawing meanwhile.
    void replace(int from, int to, const std::string& text) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(from), 0);
        insert(to, text);
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }

    void onAddPath() {
        FolderPickerResult chosen = pagePickers().folder(dialog_, "Add Classpath", "", true, project_.exeFolder());
        if (!chosen.chosen) return;
        append(chosen.folder.empty() ? std::string(".") : chosen.folder);
    }

    void onAddFile() {
        FilePickerResult chosen = pagePickers().file(dialog_, "Add Classpath",
                                                     std::string(kArchiveFilter, sizeof kArchiveFilter), "jar", "",
                                                     true, project_.exeFolder());
        if (!chosen.chosen) return;
        std::string folder = chosen.folder == "." ? std::string() : chosen.folder;
        if (!folder.empty() && folder.back() != '\\') folder += '\\';
        append(folder + chosen.fileName);
    }

    void onAddManually() {
        EntryEditor editor("");
        if (editor.run(dialog_)) append(editor.text());
    }

    void onEdit() {
        int index = selection();
        if (index == LB_ERR) return;
        EntryEditor editor(listText(list_, index));
        if (!editor.run(dialog_)) return;
        replace(index, index, editor.text());
        project_.modified = true;
    }

    void onDelete() {
        int index = selection();
        if (index == LB_ERR) return;
        SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
        project_.modified = true;
    }

    void onMove(int step) {
        int index = selection();
        if (index == LB_ERR || index + step < 0 || index + step >= count()) return;
        replace(index, index + step, listText(list_, index));
        SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(index + step), 0);
        project_.modified = true;
    }

    HWND dialog_;
    Project& project_;
    HWND list_;
};

}  // namespace

HWND createClassPathPage(HWND container, Project* project) {
    return createPage(container, project, IDD_CLASSPATH_PAGE, ClassPathPage::procedure);
}
