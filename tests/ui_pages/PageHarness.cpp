#include "tests/ui_pages/PageHarness.h"

#include <commctrl.h>

#include <cstdio>
#include <deque>

#include "builder/ui/pages/PagePickers.h"
#include "tests/ui_pages/TestBitmap.h"

namespace harness {

namespace {

int failures = 0;
HWND hostWindow = nullptr;
HWND containerWindow = nullptr;

struct ModalPlan {
    int button;
    int editId;
    std::string editText;
};
std::deque<ModalPlan> modalPlans;
std::vector<ModalSeen> modalsSeen;

FilePickerResult nextFile;
FolderPickerResult nextFolder;
std::vector<PickerCall> pickerCalls;

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string windowText(HWND window) {
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

BOOL CALLBACK findMessageText(HWND child, LPARAM lParam) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    auto* found = reinterpret_cast<std::string*>(lParam);
    if (lstrcmpiA(className, "Static") == 0 && found->empty()) *found = windowText(child);
    return TRUE;
}

// Sees every dialog box the thread opens once it is initialised; a modal
// box (a top-level dialog) is recorded and answered as planned.
LRESULT CALLBACK watchDialogs(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG &&
        !(GetWindowLongPtrA(message->hwnd, GWL_STYLE) & WS_CHILD)) {
        HWND box = message->hwnd;
        ModalSeen seen{windowText(box), std::string()};
        ModalPlan plan{IDCANCEL, 0, std::string()};
        if (!modalPlans.empty()) {
            plan = modalPlans.front();
            modalPlans.pop_front();
        } else {
            seen.caption = "(unexpected) " + seen.caption;
        }
        if (plan.editId) {
            seen.text = text(box, plan.editId);
            SendDlgItemMessageA(box, plan.editId, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(plan.editText.c_str()));
        } else {
            EnumChildWindows(box, findMessageText, reinterpret_cast<LPARAM>(&seen.text));
        }
        modalsSeen.push_back(seen);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(plan.button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, plan.button)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

FilePickerResult recordFilePicker(HWND, const std::string& title, const std::string& filter,
                                  const std::string& defaultExtension, const std::string& initialFolder,
                                  bool pathingOptions, const std::string& baseFolder) {
    pickerCalls.push_back({false, title, filter, defaultExtension, initialFolder, baseFolder, pathingOptions});
    return nextFile;
}

FolderPickerResult recordFolderPicker(HWND, const std::string& title, const std::string& initialFolder,
                                      bool pathingOptions, const std::string& baseFolder) {
    pickerCalls.push_back({true, title, std::string(), std::string(), initialFolder, baseFolder, pathingOptions});
    return nextFolder;
}

}  // namespace

std::vector<TestCase>& tests() {
    static std::vector<TestCase> all;
    return all;
}

void fail(const std::string& what, const char* file, int line) {
    ++failures;
    std::printf("  FAILED %s:%d: %s\n", file, line, what.c_str());
}

std::string show(const std::string& value) { return "\"" + value + "\""; }
std::string show(long long value) { return std::to_string(value); }
std::string show(const std::vector<std::string>& lines) {
    std::string shown = "{";
    for (const std::string& line : lines) shown += (shown.size() > 1 ? ", " : "") + show(line);
    return shown + "}";
}

HWND container() { return containerWindow; }

void resetProject(Project& project, int version) {
    project.setProjectVersion(version);
    project.modified = false;
}

void type(HWND page, int id, const std::string& value) {
    HWND edit = GetDlgItem(page, id);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value.c_str()));
}

std::string text(HWND page, int id) { return windowText(GetDlgItem(page, id)); }

void click(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }

bool checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

bool enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

LONG_PTR verify(HWND page) { return SendMessageA(page, PAGE_VERIFY, 0, 0); }

LONG_PTR helpId(HWND page) { return SendMessageA(page, GET_HELP_ID, 0, 0); }

std::vector<std::string> listLines(HWND page, int id) {
    std::vector<std::string> lines;
    HWND list = GetDlgItem(page, id);
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[1024] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        lines.push_back(buffer);
    }
    return lines;
}

void select(HWND page, int listId, int index) {
    SendDlgItemMessageA(page, listId, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int selection(HWND page, int listId) {
    return static_cast<int>(SendDlgItemMessageA(page, listId, LB_GETCURSEL, 0, 0));
}

std::string tabWalk(HWND page, int from, int steps) {
    std::string walked;
    HWND at = GetDlgItem(page, from);
    for (int i = 0; i < steps; ++i) {
        at = GetNextDlgTabItem(page, at, FALSE);
        walked += std::to_string(GetDlgCtrlID(at)) + " ";
    }
    return walked;
}

namespace {

BOOL CALLBACK countToolTips(HWND window, LPARAM lParam) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0) ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

}  // namespace

int toolTipWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countToolTips, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string idList(std::initializer_list<int> ids) {
    std::string list;
    for (int id : ids) list += std::to_string(id) + " ";
    return list;
}

bool hasStyle(HWND window, LONG style) { return (GetWindowLongA(window, GWL_STYLE) & style) == style; }

void expectModal(int button, int editId, const std::string& editText) {
    modalPlans.push_back({button, editId, editText});
}

std::vector<ModalSeen> takeModals() {
    std::vector<ModalSeen> seen;
    seen.swap(modalsSeen);
    modalPlans.clear();
    return seen;
}

void answerFilePicker(bool chosen, const std::string& folder, const std::string& fileName) {
    nextFile = {chosen, folder, fileName};
}

void answerFolderPicker(bool chosen, const std::string& folder) { nextFolder = {chosen, folder}; }

std::vector<PickerCall> takePickerCalls() {
    std::vector<PickerCall> calls;
    calls.swap(pickerCalls);
    return calls;
}

std::string writeTempFile(const std::string& name, const std::string& bytes) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

std::string bitmapFile32() { return testdata::bitmapFile32(); }

}  // namespace harness

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = harness::hostProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    windowClass.lpszClassName = "PageTestHost";
    RegisterClassA(&windowClass);
    harness::hostWindow = CreateWindowExA(0, "PageTestHost", "Caskit page test", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                          0, 0, 640, 520, nullptr, nullptr, windowClass.hInstance, nullptr);
    harness::containerWindow = CreateWindowExA(0, "PageTestHost", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                               620, 480, harness::hostWindow, nullptr, windowClass.hInstance, nullptr);
    if (!harness::containerWindow) {
        std::printf("cannot create the host window (error %lu)\n", GetLastError());
        return 2;
    }
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, harness::watchDialogs, nullptr, GetCurrentThreadId());
    pages::pagePickers().file = harness::recordFilePicker;
    pages::pagePickers().folder = harness::recordFolderPicker;

    const char* only = argc > 1 ? argv[1] : nullptr;
    int run = 0;
    for (const harness::TestCase& test : harness::tests()) {
        if (only && std::string(test.name).find(only) == std::string::npos) continue;
        int before = harness::failures;
        test.run();
        for (const harness::ModalSeen& seen : harness::takeModals()) {
            if (seen.caption.rfind("(unexpected)", 0) == 0) harness::fail("modal box " + seen.caption, test.name, 0);
        }
        harness::takePickerCalls();
        std::printf("%s %s\n", harness::failures == before ? "PASS" : "FAIL", test.name);
        ++run;
    }
    UnhookWindowsHookEx(hook);
    DestroyWindow(harness::hostWindow);
    std::printf("%d tests, %d failed checks\n", run, harness::failures);
    return harness::failures == 0 && run > 0 ? 0 : 1;
}
