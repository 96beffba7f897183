#pragma once
// The harness of the page tests: a tiny test registry, a host window that
// plays the page container, typing and clicking as a user's actions send
// them, a watcher that answers the modal boxes a test expects, and
// recording pickers behind the pages' picker seam.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "builder/engine/Project.h"
#include "builder/ui/Pickers.h"
#include "builder/ui/resource.h"

namespace harness {

// ---- registry and checks
struct TestCase {
    const char* name;
    void (*run)();
};
std::vector<TestCase>& tests();
struct Registrar {
    Registrar(const char* name, void (*run)()) { tests().push_back({name, run}); }
};
void fail(const std::string& what, const char* file, int line);
std::string show(const std::string& value);
std::string show(long long value);
std::string show(const std::vector<std::string>& lines);

#define PAGE_TEST(name)                                          \
    static void name();                                          \
    static harness::Registrar name##Registrar(#name, &name);     \
    static void name()
#define CHECK(condition) \
    ((condition) ? (void)0 : harness::fail(std::string("CHECK(") + #condition + ")", __FILE__, __LINE__))
#define CHECK_EQ(actual, expected)                                                                          \
    do {                                                                                                    \
        auto actualValue_ = (actual);                                                                       \
        auto expectedValue_ = (expected);                                                                   \
        if (!(actualValue_ == expectedValue_))                                                              \
            harness::fail(std::string(#actual) + " is " + harness::show(actualValue_) + ", expected " +    \
                              harness::show(expectedValue_),                                                \
                          __FILE__, __LINE__);                                                              \
    } while (0)

// ---- pages
// A page created by its real creator inside the host's container, shown
// as the project window shows it; destroyed with the object.
class Page {
public:
    explicit Page(HWND window) : window_(window) {
        if (window_) ShowWindow(window_, SW_SHOW);
    }
    ~Page() {
        if (window_) DestroyWindow(window_);
    }
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;
    HWND get() const { return window_; }
    HWND item(int id) const { return GetDlgItem(window_, id); }

private:
    HWND window_;
};

HWND container();
// A project as a project window would hold it: version set, not modified.
void resetProject(Project& project, int version);

// ---- a user's actions and what a page answers
void type(HWND page, int id, const std::string& text);  // replaces the text as typing does
std::string text(HWND page, int id);
void click(HWND page, int id);  // BM_CLICK
bool checked(HWND page, int id);
bool enabled(HWND page, int id);
LONG_PTR verify(HWND page);  // PAGE_VERIFY's answer
LONG_PTR helpId(HWND page);  // GET_HELP_ID's answer
std::vector<std::string> listLines(HWND page, int id);
void select(HWND page, int listId, int index);
int selection(HWND page, int listId);
// The ids the dialog manager's Tab moves to, `steps` times from control
// `from`, as "id id ..."; and a list of ids written the same way.
std::string tabWalk(HWND page, int from, int steps);
std::string idList(std::initializer_list<int> ids);
// How many tool tip windows the test's thread has.
int toolTipWindows();
// Whether the window has every bit of `style`.
bool hasStyle(HWND window, LONG style);

// ---- modal boxes
struct ModalSeen {
    std::string caption;
    std::string text;        // message text, or the edit's text on opening
};
// The next modal box gets `editText` in control `editId` (if editId != 0)
// and is closed with `button`.
void expectModal(int button, int editId = 0, const std::string& editText = std::string());
// The modal boxes seen since the last call (unexpected ones were cancelled).
std::vector<ModalSeen> takeModals();

// ---- pickers
struct PickerCall {
    bool folder = false;
    std::string title, filter, defaultExtension, initialFolder, baseFolder;
    bool pathingOptions = false;
};
void answerFilePicker(bool chosen, const std::string& folder, const std::string& fileName);
void answerFolderPicker(bool chosen, const std::string& folder);
std::vector<PickerCall> takePickerCalls();

// A temporary file with the given bytes; its Windows path.
std::string writeTempFile(const std::string& name, const std::string& bytes);
std::string bitmapFile32();  // a 32 x 32, 24-bit bitmap

}  // namespace harness
