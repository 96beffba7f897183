// Helpers of the UI driver: the WinHelp stand-in, dialogs, pickers, tabs.

#include "tests/ui/Driver.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "builder/ui/resource.h"

namespace driver {

Checks checks;
Builder builder;
std::string gExe;
std::string gWork;
std::string gStandins;

HelpRequest gHelp;

namespace {

// ---- WinHelp stand-in: WinHelpA finds a window of class "MS_WINHELP" and
// sends it the request by WM_COPYDATA.

LRESULT CALLBACK helpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const auto* bytes = static_cast<const unsigned char*>(copy->lpData);
        if (bytes && copy->cbData >= 16) {
            WORD command = 0;
            LONG data = 0;
            WORD fileOffset = 0;
            memcpy(&command, bytes + 2, 2);
            memcpy(&data, bytes + 4, 4);
            memcpy(&fileOffset, bytes + 12, 2);
            ++gHelp.calls;
            gHelp.command = command;
            gHelp.data = data;
            gHelp.file = fileOffset < copy->cbData ? reinterpret_cast<const char*>(bytes + fileOffset) : "";
        }
        return gHelp.fail ? FALSE : TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void createHelpWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = helpWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MS_WINHELP";
    RegisterClassA(&wc);
    CreateWindowExA(0, "MS_WINHELP", "Help stand-in", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
}

// ---- the browser stand-in, registered for .html files
namespace {

std::string gSavedHtmlClass = "<none>";
const char kStandinClass[] = "CaskitTestBrowserPage";

std::string driverFolder() {
    char self[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length);
    return path.substr(0, path.rfind('\\') + 1);
}

void setDefaultValue(const std::string& key, const std::string& value) {
    RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

}  // namespace

void useBrowserStandin(bool on) {
    if (on) {
        char value[256] = {};
        LONG size = sizeof value;
        gSavedHtmlClass = RegQueryValueA(HKEY_CLASSES_ROOT, ".html", value, &size) == ERROR_SUCCESS ? value : "";
        setDefaultValue(".html", kStandinClass);
        setDefaultValue(std::string(kStandinClass) + "\\shell\\open\\command",
                        "\"" + driverFolder() + "ui_browser_standin.exe\" \"%1\"");
        DeleteFileA((driverFolder() + "browser-calls.txt").c_str());
    } else if (gSavedHtmlClass != "<none>") {
        setDefaultValue(".html", gSavedHtmlClass);
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kStandinClass) + "\\shell\\open\\command").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kStandinClass) + "\\shell\\open").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kStandinClass) + "\\shell").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, kStandinClass);
    }
}

std::vector<std::string> browserCalls() {
    std::vector<std::string> calls;
    std::string text = readFile(driverFolder() + "browser-calls.txt");
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        calls.push_back(text.substr(start, end - start));
    }
    return calls;
}

// ---- small helpers
namespace {

struct ToolTipSearch {
    DWORD process;
    std::string text;
};

BOOL CALLBACK findToolTip(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ToolTipSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) && className(window) == TOOLTIPS_CLASSA) {
        search->text = windowText(window);
        return FALSE;
    }
    return TRUE;
}

// The text of a visible tool tip of the builder, empty when none shows.
std::string visibleToolTip() {
    ToolTipSearch search{builder.processId(), std::string()};
    EnumWindows(findToolTip, reinterpret_cast<LPARAM>(&search));
    return search.text;
}

}  // namespace

// The pointer must stay still once over the control: every move restarts
// the tool tip's delay. A move the tool tip never saw (no WM_MOUSEMOVE
// reaches the window when the pointer lands where it already was) is tried
// again one pixel further.
std::string toolTipAt(POINT screen) {
    std::string text;
    for (int attempt = 0; attempt < 4 && text.empty(); ++attempt) {
        SetCursorPos(screen.x + attempt, screen.y);
        eventually([&] { return !(text = visibleToolTip()).empty(); }, 3000);
    }
    SetCursorPos(900, 700);
    eventually([] { return visibleToolTip().empty(); }, 8000);
    return text;
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string readFile(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

HWND control(HWND page, int id) { return GetDlgItem(page, id); }

void type(HWND page, int id, const std::string& text) { setWindowText(control(page, id), text); }

std::string read(HWND page, int id) { return windowText(control(page, id)); }

void clickNow(HWND page, int id) { builder.send(control(page, id), BM_CLICK); }

// The file name field of a common dialog (hidden by the pickers, still there).
HWND fileNameField(HWND dialog) {
    if (HWND edit = descendant(dialog, 1152)) return edit;
    return descendant(dialog, 1148);
}

void checkPickerDialog(HWND dialog, const std::string& what, bool folderPicker) {
    // 1090 name label, 1152 name field, 1040 read-only box; 1136 and 1089
    // the file type list and its label.
    for (int id : {1090, 1152, 1040}) {
        HWND hidden = descendant(dialog, id);
        checks.check(hidden == nullptr || !IsWindowVisible(hidden),
                     what + ": control " + std::to_string(id) + " hidden");
    }
    for (int id : {1136, 1089}) {
        HWND typeControl = descendant(dialog, id);
        bool visible = typeControl && IsWindowVisible(typeControl);
        checks.check(visible != folderPicker, what + ": control " + std::to_string(id) +
                                                  (folderPicker ? " hidden" : " shown"));
    }
    if (folderPicker) {
        checks.equal(windowText(descendant(dialog, 1136)), std::string(" "), what + ": the filter lists no files");
    }
    checks.check((GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME) != 0, what + ": the dialog can be resized");
}

// Answers a common file dialog: types the path and presses its OK button.
bool answerFileDialog(const std::string& caption, const std::string& path, std::string* proposed) {
    HWND dialog = waitTopLevel(builder.processId(), caption);
    if (!checks.check(dialog != nullptr, "dialog \"" + caption + "\" appears")) return false;
    HWND field = fileNameField(dialog);
    if (proposed) *proposed = windowText(field);
    setWindowText(field, path);
    postClick(GetDlgItem(dialog, IDOK));
    return eventually([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 20000);
}

// Answers a message box by caption with one of its buttons; returns its text.
std::string answerMessageBox(const std::string& caption, int button) {
    HWND box = waitTopLevel(builder.processId(), caption);
    if (!checks.check(box != nullptr, "message box \"" + caption + "\" appears")) return std::string();
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) == "Static" && !windowText(child).empty()) text = windowText(child);
    }
    postClick(GetDlgItem(box, button));
    eventually([&] { return !IsWindow(box); });
    return text;
}

// The folder a common dialog shows (CDM_GETFOLDERPATH), without a final
// backslash.
std::string dialogFolder(HWND dialog) {
    RemoteBuffer buffer(builder.process(), MAX_PATH + 1);
    char zero[MAX_PATH + 1] = {};
    buffer.write(zero, sizeof zero);
    builder.send(dialog, CDM_GETFOLDERPATH, MAX_PATH, buffer.param());
    std::string folder = buffer.readText();
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

// "Set ".exe" Location": the folder picker, navigated by typing the folder
// into its (hidden) name field, then "Select".
bool pickExeFolder(HWND commandPage, const std::string& folder) {
    postClick(control(commandPage, IDC_SET_EXE_LOCATION));
    HWND dialog = waitTopLevel(builder.processId(), "Select Directory");
    if (!checks.check(dialog != nullptr, "folder picker \"Select Directory\" appears")) return false;
    checks.check(!IsWindowVisible(fileNameField(dialog)), "folder picker hides the file name field");
    checkPickerDialog(dialog, "Select Directory", true);
    setWindowText(fileNameField(dialog), folder);
    builder.send(GetDlgItem(dialog, IDOK), BM_CLICK);  // a folder name browses into it
    checks.check(eventually([&] { return lstrcmpiA(dialogFolder(dialog).c_str(), folder.c_str()) == 0; }),
                 "folder picker browses into " + folder);
    HWND select = descendant(dialog, IDC_SELECT, true);
    if (!checks.check(select != nullptr, "folder picker has a \"Select\" button")) return false;
    checks.equal(windowText(select), std::string("Select"), "\"Select\" button text");
    postClick(select);
    return eventually([&] { return !IsWindow(dialog); });
}

// A file picker with Relative Path: the path is typed into its (hidden)
// name field and Open pressed; answers false when the dialog did not close.
bool pickRelativeFile(HWND button, const std::string& caption, const std::string& path) {
    postClick(button);
    HWND dialog = waitTopLevel(builder.processId(), caption);
    if (!checks.check(dialog != nullptr, "file picker \"" + caption + "\" appears")) return false;
    checks.check(!IsWindowVisible(fileNameField(dialog)), caption + ": file name field hidden");
    checkPickerDialog(dialog, caption, false);
    HWND relative = descendant(dialog, IDC_RELATIVE_PATH, true);
    if (!checks.check(relative != nullptr, caption + ": \"Relative Path\" offered")) return false;
    builder.send(relative, BM_CLICK);
    setWindowText(fileNameField(dialog), path);
    postClick(GetDlgItem(dialog, IDOK));
    return checks.check(eventually([&] { return !IsWindow(dialog); }), caption + ": Open closes the picker");
}

// Save of a project without a file: the Save dialog, answered with `path`.
void saveAs(HWND window, const std::string& path, const std::string& expectProposed, const std::string& title) {
    builder.settle();
    checks.check(builder.toolbarState(IDM_SAVE) & TBSTATE_ENABLED, title + ": Save enabled while modified");
    checks.check(builder.toolbarState(IDM_COMPILE) & TBSTATE_ENABLED, title + ": Compile enabled when ready");
    builder.postCommand(IDM_SAVE);
    // The project has no file yet: its name is empty while it is saved.
    if (waitTopLevel(builder.processId(), "Save Caskit Project")) {
        checks.equal(builder.statusPart(0), std::string("Saving "), title + ": status while saving");
    }
    std::string proposed;
    answerFileDialog("Save Caskit Project", path, &proposed);
    checks.equal(proposed, expectProposed, title + ": Save proposes a name from the main class");
    checks.check(eventually([&] { return windowText(window) == "Caskit Project - " + title; }), "title after Save: " + title);
    checks.equal(builder.statusPart(0), std::string("Ready"), "status back to Ready after Save");
    builder.settle();
    checks.equal(builder.toolbarState(IDM_SAVE) & TBSTATE_ENABLED, 0, title + ": Save greyed once saved");
}

HWND newProject(int version) {
    size_t before = builder.children().size();
    builder.postCommand(IDM_NEW);
    HWND dialog = waitTopLevel(builder.processId(), "Select Project Version");
    if (!checks.check(dialog != nullptr, "New shows \"Select Project Version\"")) return nullptr;
    checks.check(builder.send(GetDlgItem(dialog, IDC_JDK11), BM_GETCHECK) == BST_CHECKED, "JDK 1.1 is preselected");
    if (version == 1) checks.screenshot("dialog-select-version");
    if (version == 2) builder.send(GetDlgItem(dialog, IDC_JDK20), BM_CLICK);
    postClick(GetDlgItem(dialog, IDOK));
    HWND window = nullptr;
    eventually([&] {
        if (builder.children().size() <= before) return false;
        window = builder.activeChild();
        return window != nullptr;
    });
    checks.check(window != nullptr && className(window) == "ProjectWindowClass", "a project window opens");
    return window;
}

void expectTabs(HWND window, const std::vector<std::string>& expected, const std::string& what) {
    checks.equal(builder.tabCount(window), static_cast<int>(expected.size()), what + ": tab count");
    for (size_t i = 0; i < expected.size(); ++i) {
        checks.equal(builder.tabText(window, static_cast<int>(i)), expected[i], what + ": tab " + std::to_string(i));
    }
}

int helpIdOf(const std::string& kind) {
    const std::pair<const char*, int> ids[] = {{"command", 1}, {"classpath", 3}, {"properties", 4},
                                               {"environment", 5}, {"advanced", 6}, {"heap", 7},
                                               {"version", 8}, {"icon", 9}, {"runtime", 11}};
    for (const auto& [name, id] : ids) {
        if (kind == name) return id;
    }
    return -1;
}

int helpContextFromFrame() {
    int before = gHelp.calls;
    builder.command(IDM_CONTEXTHELP);
    eventually([&] { return gHelp.calls > before; }, 5000);
    return gHelp.calls > before && gHelp.command == HELP_CONTEXT ? static_cast<int>(gHelp.data) : -1;
}

// Visits every tab (screenshot of each page) and checks the page protocol.
void visitPages(HWND window, const std::string& prefix, const std::vector<std::string>& kinds) {
    for (size_t i = 0; i < kinds.size(); ++i) {
        checks.check(builder.selectTab(window, static_cast<int>(i)), prefix + ": tab " + std::to_string(i) + " selects");
        HWND page = builder.visiblePage(window);
        checks.check(page != nullptr, prefix + ": a page is visible on tab " + std::to_string(i));
        if (!page) continue;
        checks.equal(builder.pages(window).size(), kinds.size(), prefix + ": page count");
        const std::string kind = builder.kindOf(window, page);
        checks.equal(kind, kinds[i], prefix + ": page kind on tab " + std::to_string(i));
        checks.equal(static_cast<int>(builder.send(page, GET_HELP_ID)), helpIdOf(kinds[i]),
                     prefix + ": GET_HELP_ID " + kind);
        checks.equal(helpContextFromFrame(), helpIdOf(kinds[i]), prefix + ": Context Sensitive Help on " + kind);
        checks.equal(gHelp.file, std::string("Caskit.hlp"), prefix + ": help file");
        checks.screenshot(prefix + "-" + std::to_string(i) + "-" + kind);
    }
    builder.selectTab(window, 0);
}

}  // namespace driver
