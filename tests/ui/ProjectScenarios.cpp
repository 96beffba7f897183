// New JDK 1.1 and JDK 2.0 projects: tabs, pages, typing into every page,
// Save (read back with the engine), Compile (run with the stand-in VM).

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <utility>

#include "builder/engine/Project.h"
#include "builder/engine/ProjectFile.h"
#include "builder/ui/BoxReporter.h"
#include "builder/ui/resource.h"
#include "tests/ui/Driver.h"
#include "tests/ui_pages/TestBitmap.h"

using namespace driver;

namespace {

const std::vector<std::string> kTabs = {"Command",  "Classpath",  "Java Properties", "Environment",
                                        "Advanced", "Heap/Stack", "Version",         "Icon"};
const std::vector<std::string> kKinds = {"command",  "classpath", "properties", "environment",
                                         "advanced", "heap",      "version",    "icon"};
// JDK 2.0 projects have the Runtime page after Heap/Stack.
const std::vector<std::string> kTabs20 = {"Command",    "Classpath", "Java Properties", "Environment", "Advanced",
                                          "Heap/Stack", "Runtime",   "Version",         "Icon"};
const std::vector<std::string> kKinds20 = {"command", "classpath", "properties", "environment", "advanced",
                                           "heap",    "runtime",   "version",    "icon"};

int listCount(HWND page, int id) { return static_cast<int>(builder.send(control(page, id), LB_GETCOUNT)); }

BOOL CALLBACK findClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<std::string, HWND>*>(param);
    if (className(window) == search->first) {
        search->second = window;
        return FALSE;
    }
    return TRUE;
}

HWND descendantOfClass(HWND parent, const std::string& name) {
    std::pair<std::string, HWND> search{name, nullptr};
    EnumChildWindows(parent, findClass, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

int listViewIndexOf(HWND list, const std::string& text) {
    int count = static_cast<int>(builder.send(list, LVM_GETITEMCOUNT));
    RemoteBuffer buffer(builder.process(), sizeof(LVITEMA) + 300);
    for (int i = 0; i < count; ++i) {
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = reinterpret_cast<char*>(buffer.param(sizeof(LVITEMA)));
        item.cchTextMax = 256;
        buffer.write(&item, sizeof item);
        builder.send(list, LVM_GETITEMTEXTA, i, buffer.param());
        if (buffer.readText(sizeof(LVITEMA)) == text) return i;
    }
    return -1;
}

// Clicks the item as a user does (the list view selects and focuses it).
void selectListViewItem(HWND list, int index) {
    RemoteBuffer buffer(builder.process(), sizeof(RECT));
    RECT item{};
    item.left = LVIR_LABEL;
    buffer.write(&item, sizeof item);
    builder.send(list, LVM_GETITEMRECT, index, buffer.param());
    buffer.read(&item, sizeof item);
    LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    eventually([&] { return (builder.send(list, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) != 0; }, 5000);
}

// Types a key and a value and presses "Add" on a key/value page.
void addPair(HWND page, int listId, const std::string& key, const std::string& value) {
    int before = listCount(page, listId);
    type(page, IDC_KEY, key);
    type(page, IDC_VALUE, value);
    postClick(control(page, IDC_ADD_PAIR));
    checks.check(eventually([&] { return listCount(page, listId) == before + 1; }, 10000), "Add puts " + key + " in the list");
}

struct Typed {
    std::string exeName;
    std::string mainClass;
    std::string arguments;
    std::string vmLibrary;
};

void fillCommandPage(HWND window, const Typed& typed) {
    HWND page = builder.pageOf(window, "command");
    if (!checks.check(page != nullptr, "command page exists")) return;
    builder.selectTab(window, 0);
    type(page, IDC_EXE_NAME, typed.exeName);
    clickNow(page, IDC_USER_VM);
    type(page, IDC_VM_PATH, typed.vmLibrary);
    type(page, IDC_MAIN_CLASS, typed.mainClass);
    type(page, IDC_ARGUMENTS, typed.arguments);
    if (pickExeFolder(page, gWork + "\\out")) {
        checks.equal(read(page, IDC_EXE_FOLDER), gWork + "\\out\\", "Set \".exe\" Location shows the chosen folder");
    }
    checks.check(builder.selectTab(window, 1), "leaving the command page");
    checks.equal(read(page, IDC_EXE_NAME), typed.exeName + ".exe", "verify turns the exe name into " + typed.exeName + ".exe");
}

// "Add Path" with Relative Path: the picker starts in the executable
// folder; the subfolder lib is selected in its list and "Select" pressed.
void addRelativeFolder(HWND classPath, const std::string& subfolder) {
    CreateDirectoryA((gWork + "\\out\\" + subfolder).c_str(), nullptr);
    postClick(control(classPath, IDC_ADD_PATH));
    HWND dialog = waitTopLevel(builder.processId(), "Add Classpath");
    if (!checks.check(dialog != nullptr, "Add Path opens the folder picker")) return;
    checkPickerDialog(dialog, "Add Path", true);
    setWindowText(fileNameField(dialog), gWork + "\\out");
    builder.send(GetDlgItem(dialog, IDOK), BM_CLICK);
    HWND list = nullptr;
    int index = -1;
    eventually([&] {
        list = descendantOfClass(dialog, "SysListView32");
        index = list ? listViewIndexOf(list, subfolder) : -1;
        return index >= 0;
    }, 10000);
    if (!checks.check(index >= 0, "the folder list shows " + subfolder)) return;
    selectListViewItem(list, index);
    HWND relative = descendant(dialog, IDC_RELATIVE_PATH, true);
    if (!checks.check(relative != nullptr, "Add Path picker offers \"Relative Path\"")) return;
    checks.check(builder.send(descendant(dialog, IDC_ABSOLUTE_PATH, true), BM_GETCHECK) == BST_CHECKED,
                 "\"Absolute Path\" is checked when the picker opens");
    builder.send(relative, BM_CLICK);
    checks.screenshot("picker-add-path");
    HWND select = descendant(dialog, IDC_SELECT, true);
    if (!checks.check(select != nullptr, "Add Path picker has \"Select\"")) return;
    postClick(select);
    checks.check(eventually([&] { return !IsWindow(dialog); }), "Select closes the picker");
}

void fillListPages(HWND window, bool relativeFolder) {
    builder.selectTab(window, 1);
    HWND classPath = builder.pageOf(window, "classpath");
    if (relativeFolder) {
        addRelativeFolder(classPath, "lib");
        checks.check(eventually([&] { return listCount(classPath, IDC_CLASSPATH_LIST) == 1; }, 10000),
                     "Add Path lists the folder");
    }
    if (!relativeFolder) {
        CreateDirectoryA((gWork + "\\out\\lib").c_str(), nullptr);
        std::string jar = gWork + "\\out\\lib\\extra.jar";
        if (FILE* f = std::fopen(jar.c_str(), "wb")) std::fclose(f);
        int count = listCount(classPath, IDC_CLASSPATH_LIST);
        if (pickRelativeFile(control(classPath, IDC_ADD_FILE), "Add Classpath", jar)) {
            checks.check(eventually([&] { return listCount(classPath, IDC_CLASSPATH_LIST) == count + 1; }, 10000),
                         "Add File lists the jar");
        }
    }
    int before = listCount(classPath, IDC_CLASSPATH_LIST);
    postClick(control(classPath, IDC_ADD_MANUALLY));
    HWND editor = waitTopLevel(builder.processId(), "Edit Classpath");
    if (checks.check(editor != nullptr, "Add Manually opens \"Edit Classpath\"")) {
        setWindowText(GetDlgItem(editor, IDC_ENTRY_TEXT), "lib\\hello.jar");
        postClick(GetDlgItem(editor, IDOK));
        checks.check(eventually([&] { return listCount(classPath, IDC_CLASSPATH_LIST) == before + 1; }, 10000),
                     "class-path entry listed");
    }
    builder.selectTab(window, 2);
    addPair(builder.pageOf(window, "properties"), IDC_PROPERTIES_LIST, "greeting", "hello");
    builder.selectTab(window, 3);
    addPair(builder.pageOf(window, "environment"), IDC_ENVIRONMENT_LIST, "CASKIT_UI", "on");
}

void fillVersionPage(HWND window) {
    builder.selectTab(window, 6);
    HWND page = builder.pageOf(window, "version");
    type(page, IDC_COMPANY_NAME, "Caskit Test Co");
    type(page, IDC_LEGAL_COPYRIGHT, "(c) Caskit Test");
    type(page, IDC_LEGAL_TRADEMARKS, "CaskitTM");
    type(page, IDC_COMMENTS, "Built by the UI test");
}

// Runs a produced executable with the stand-in VM's log; returns the log.
std::string runProduced(const std::string& exe, const std::string& log) {
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("CASKIT_STANDIN_LOG", log.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        checks.check(false, "start " + exe);
        return std::string();
    }
    if (!checks.check(WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0, "the produced program ends")) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return readFile(log);
}

std::string versionString(const std::string& exe, const std::string& name) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    if (!size) return "<no version block>";
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(exe.c_str(), 0, size, &data[0])) return "<unreadable>";
    WORD* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(&data[0], "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < 4) {
        return "<no translation>";
    }
    char key[128];
    wsprintfA(key, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1], name.c_str());
    char* value = nullptr;
    if (!VerQueryValueA(&data[0], key, reinterpret_cast<void**>(&value), &length)) return "<no " + name + ">";
    return value;
}

void pressControlKey(WORD key) {
    INPUT input[4] = {};
    for (INPUT& i : input) i.type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_CONTROL;
    input[1].ki.wVk = key;
    input[2].ki.wVk = key;
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = VK_CONTROL;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
}

// Ctrl+C typed while the main-class field has the keyboard focus compiles
// the project (the accelerator is translated before the edit sees the key).
void compileWithControlC(HWND window, const std::string& exe) {
    HWND page = builder.pageOf(window, "command");
    builder.selectTab(window, 0);
    HWND edit = control(page, IDC_MAIN_CLASS);
    std::string before = read(page, IDC_MAIN_CLASS);
    DeleteFileA(exe.c_str());
    SetForegroundWindow(builder.frame);
    PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    DWORD thread = GetWindowThreadProcessId(builder.frame, nullptr);
    bool focused = eventually([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndFocus == edit && GetForegroundWindow() == builder.frame;
    }, 10000);
    if (!checks.check(focused, "the main-class field has the keyboard focus")) return;
    pressControlKey('C');
    checks.check(eventually([&] { return fileExists(exe); }, 20000), "Ctrl+C in an edit field compiles the project");
    builder.settle();
    checks.equal(read(page, IDC_MAIN_CLASS), before, "Ctrl+C does not reach the edit field");
}

// Browses the open folder picker to `folder` by typing it into the
// (hidden) name field; waits until its list shows `expectItem`. Answers
// the list view.
HWND browseTo(HWND dialog, const std::string& folder, const std::string& expectItem) {
    setWindowText(fileNameField(dialog), folder);
    builder.send(GetDlgItem(dialog, IDOK), BM_CLICK);
    HWND list = nullptr;
    bool shown = eventually([&] {
        list = descendantOfClass(dialog, "SysListView32");
        return list && listViewIndexOf(list, expectItem) >= 0;
    }, 10000);
    return shown ? list : nullptr;
}

// "Set ".exe" Location" on `page`: browses to `first`, selects `item` in
// the list, then (with `upTo`) goes up one level to the folder whose list
// shows `upTo`, and presses "Select". Answers the folder the page shows
// afterwards.
std::string pickWithSelection(HWND page, const std::string& first, const std::string& item, const char* upTo) {
    postClick(control(page, IDC_SET_EXE_LOCATION));
    HWND dialog = waitTopLevel(builder.processId(), "Select Directory");
    if (!checks.check(dialog != nullptr, "folder picker \"Select Directory\" appears")) return std::string();
    checks.check(descendant(dialog, IDC_RELATIVE_PATH, true) == nullptr,
                 "Set \".exe\" Location offers no pathing options");
    HWND list = browseTo(dialog, first, item);
    int index = list ? listViewIndexOf(list, item) : -1;
    if (checks.check(index >= 0, "the folder list shows " + item)) selectListViewItem(list, index);
    if (upTo) {
        // The dialog's "Up One Level" button (command 0xA001).
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(0xA001, BN_CLICKED), 0);
        bool up = eventually([&] {
            HWND view = descendantOfClass(dialog, "SysListView32");
            return view && listViewIndexOf(view, upTo) >= 0;
        }, 10000);
        checks.check(up, std::string("the picker goes up to the folder holding ") + upTo);
    }
    HWND select = descendant(dialog, IDC_SELECT, true);
    if (!checks.check(select != nullptr, "folder picker has \"Select\"")) return std::string();
    postClick(select);
    checks.check(eventually([&] { return !IsWindow(dialog); }), "Select closes the folder picker");
    builder.settle();
    return read(page, IDC_EXE_FOLDER);
}

// "Set ".exe" Location" in a virtual folder (My Computer, above C:\, with
// a drive selected in its list): "Select" says that a file-system folder
// must be chosen, the picker stays open, and the folder is kept.
void selectInVirtualFolder(HWND page) {
    std::string before = read(page, IDC_EXE_FOLDER);
    postClick(control(page, IDC_SET_EXE_LOCATION));
    HWND dialog = waitTopLevel(builder.processId(), "Select Directory");
    if (!checks.check(dialog != nullptr, "folder picker \"Select Directory\" appears")) return;
    HWND list = browseTo(dialog, "C:\\", "windows");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(0xA001, BN_CLICKED), 0);  // Up One Level
    checks.check(eventually([&] {
                     HWND view = descendantOfClass(dialog, "SysListView32");
                     return view && listViewIndexOf(view, "windows") < 0 && builder.send(view, LVM_GETITEMCOUNT) > 0;
                 }, 10000),
                 "the picker goes up from C:\\ to a virtual folder");
    list = descendantOfClass(dialog, "SysListView32");
    if (list) selectListViewItem(list, 0);
    checks.screenshot("picker-virtual-folder");
    postClick(descendant(dialog, IDC_SELECT, true));
    checks.equal(answerMessageBox("Error", IDOK),
                 std::string("Please choose a folder of the file system (a folder on a drive or a network share)."),
                 "Select in a virtual folder asks for a file-system folder");
    checks.check(IsWindow(dialog), "the picker stays open");
    postClick(GetDlgItem(dialog, IDCANCEL));
    checks.check(eventually([&] { return !IsWindow(dialog); }), "Cancel closes the picker");
    builder.settle();
    checks.equal(read(page, IDC_EXE_FOLDER), before, "the executable folder is kept");
}

// Writes the test bitmap (32 x 32, a blue stripe on white).
void writeBitmap(const std::string& path) {
    std::string bytes = testdata::bitmapFile32();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// A file picker without pathing options: checks it, types `path` and
// presses Open. Answers whether the picker closed.
bool pickAbsoluteFile(HWND button, const std::string& caption, const std::string& firstFilter, const std::string& path) {
    postClick(button);
    HWND dialog = waitTopLevel(builder.processId(), caption);
    if (!checks.check(dialog != nullptr, "file picker \"" + caption + "\" appears")) return false;
    checkPickerDialog(dialog, caption, false);
    checks.equal(windowText(descendant(dialog, 1136)), firstFilter, caption + ": first filter");
    setWindowText(fileNameField(dialog), path);
    postClick(GetDlgItem(dialog, IDOK));
    return checks.check(eventually([&] { return !IsWindow(dialog); }), caption + ": Open closes the picker");
}

// The real pickers behind "Locate Javai" and "Locate Image...".
void locateWithRealPickers(HWND window) {
    HWND command = builder.pageOf(window, "command");
    builder.selectTab(window, 0);
    clickNow(command, IDC_USER_VM);
    // Without an executable folder there is no base for a relative path.
    postClick(control(command, IDC_LOCATE_JAVAI));
    checks.equal(answerMessageBox("Error", IDOK), std::string("Please set the executable file path first."),
                 "Locate Javai without an executable folder");
    if (!pickExeFolder(command, gWork + "\\out")) return;
    std::string javai = gStandins + "\\javai.dll";
    if (pickAbsoluteFile(control(command, IDC_LOCATE_JAVAI), "Select Javai.dll", "Java Virtual Machine (javai.dll)",
                         javai)) {
        checks.equal(read(command, IDC_VM_PATH), javai, "Locate Javai with Absolute Path gives the full path");
    }
    std::string bitmap = gWork + "\\large.bmp";
    writeBitmap(bitmap);
    checks.check(builder.selectTab(window, 7), "the icon tab selects");
    HWND icon = builder.pageOf(window, "icon");
    if (pickAbsoluteFile(control(icon, IDC_LOCATE_LARGE_ICON), "Select Image File", "Bitmap Files(*.bmp)", bitmap)) {
        checks.equal(read(icon, IDC_LARGE_ICON_PATH), bitmap, "Locate Image... shows the chosen image");
    }
    checks.screenshot("icon-page-with-image");
    builder.selectTab(window, 0);
}

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// Moves the keyboard focus to a page's control as the page itself would.
bool focusControl(HWND page, int id) {
    HWND target = control(page, id);
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    return eventually([&] { return focusOf(page) == target; }, 5000);
}

// A key posted to the focused control, as the keyboard delivers it: through
// the frame's message loop.
HWND pressKey(HWND page, WORD key) {
    HWND from = focusOf(page);
    PostMessageA(from, WM_KEYDOWN, key, MAKELPARAM(1, MapVirtualKeyA(key, 0)));
    PostMessageA(from, WM_KEYUP, key, MAKELPARAM(1, MapVirtualKeyA(key, 0)) | 0xC0000000);
    builder.settle();
    return focusOf(page);
}

// The pages behave like dialogs: Tab walks the command page's controls in
// template order (disabled ones skipped, one stop per radio group), arrow
// keys move between radio buttons and check them, Enter in the arguments
// field starts a new line.
void keyboardOnPages(HWND window) {
    builder.selectTab(window, 0);
    HWND command = builder.pageOf(window, "command");
    if (!checks.check(focusControl(command, IDC_EXE_NAME), "the exe name field takes the focus")) return;
    std::vector<int> walked;
    for (int i = 0; i < 10; ++i) walked.push_back(GetDlgCtrlID(pressKey(command, VK_TAB)));
    std::vector<int> expected = {IDC_SET_EXE_LOCATION, IDC_SYSTEM_VM,       IDC_MAIN_CLASS,    IDC_ARGUMENTS,
                                 IDC_CONSOLE_PROGRAM,  IDC_MANIFEST_PATH,   IDC_LOCATE_MANIFEST, IDC_EMBEDDED_JAR,
                                 IDC_LOCATE_JAR,       IDC_EXE_NAME};
    std::string got;
    for (int id : walked) got += std::to_string(id) + " ";
    checks.check(walked == expected, "Tab walks the command page in template order: " + got);

    if (focusControl(command, IDC_ARGUMENTS)) {
        setWindowText(control(command, IDC_ARGUMENTS), "one");
        builder.send(control(command, IDC_ARGUMENTS), EM_SETSEL, 3, 3);
        pressKey(command, VK_RETURN);
        checks.equal(read(command, IDC_ARGUMENTS), std::string("one\r\n"), "Enter in the arguments field starts a line");
        setWindowText(control(command, IDC_ARGUMENTS), "");
    }

    builder.selectTab(window, 4);
    HWND advanced = builder.pageOf(window, "advanced");
    if (focusControl(advanced, IDC_CP_APPEND)) {
        checks.equal(GetDlgCtrlID(pressKey(advanced, VK_DOWN)), IDC_CP_PREPEND, "Down moves to \"Prepend\"");
        checks.check(builder.send(control(advanced, IDC_CP_PREPEND), BM_GETCHECK) == BST_CHECKED &&
                         builder.send(control(advanced, IDC_CP_APPEND), BM_GETCHECK) == BST_UNCHECKED,
                     "the arrow key checks the radio button it moves to");
        checks.equal(GetDlgCtrlID(pressKey(advanced, VK_UP)), IDC_CP_APPEND, "Up moves back to \"Append\"");
        checks.check(builder.send(control(advanced, IDC_CP_APPEND), BM_GETCHECK) == BST_CHECKED, "\"Append\" checked again");
    }
    builder.selectTab(window, 0);
}

std::string clipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// With the main-class field focused (compileWithControlC): Ctrl+C over a
// selection copies and compiles nothing; Ctrl+Page Down / Up change tabs.
void copyWithControlC(HWND window, const std::string& exe) {
    HWND page = builder.pageOf(window, "command");
    HWND edit = control(page, IDC_MAIN_CLASS);
    if (!checks.check(focusOf(page) == edit, "the main-class field still has the focus")) return;
    builder.send(edit, EM_SETSEL, 0, -1);
    DeleteFileA(exe.c_str());
    // The clipboard is only opened once the copy has changed it: a test
    // holding it open when the edit copies would make the copy fail.
    const DWORD sequence = GetClipboardSequenceNumber();
    pressControlKey('C');
    std::string expected = read(page, IDC_MAIN_CLASS);
    bool copied = eventually([&] { return GetClipboardSequenceNumber() != sequence; }, 10000) &&
                  eventually([&] { return clipboardText() == expected; }, 5000);
    checks.check(copied, "Ctrl+C over a selection copies it to the clipboard");
    builder.settle();
    checks.check(!fileExists(exe), "Ctrl+C over a selection compiles nothing");
    pressControlKey(VK_NEXT);
    checks.check(eventually([&] { return builder.currentTab(window) == 1; }, 10000), "Ctrl+Page Down shows the next tab");
    checks.check(IsChild(builder.pageOf(window, "classpath"), focusOf(page)), "the keyboard focus is on the new page");
    pressControlKey(VK_PRIOR);
    checks.check(eventually([&] { return builder.currentTab(window) == 0; }, 10000), "Ctrl+Page Up goes back");
}

// A toolbar button held down keeps its pressed look through the refresh
// that follows every message; released away from it, nothing is done.
void heldToolbarButton() {
    RemoteBuffer buffer(builder.process(), sizeof(RECT));
    builder.send(builder.toolbar, TB_GETITEMRECT, 5, buffer.param());
    RECT item{};
    buffer.read(&item, sizeof item);
    PostMessageA(builder.toolbar, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));
    builder.settle();
    int state = builder.toolbarState(IDM_COMPILE);
    checks.check((state & TBSTATE_PRESSED) && (state & TBSTATE_ENABLED), "Compile looks pressed while held");
    PostMessageA(builder.toolbar, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    builder.settle();
    checks.equal(builder.toolbarState(IDM_COMPILE) & TBSTATE_PRESSED, 0, "released away from it, Compile is up");
}

}  // namespace

namespace scenarios {

void jdk11Project(HWND& window) {
    window = newProject(1);
    if (!window) return;
    checks.equal(windowText(window), std::string("Caskit Project - <untitled>"), "JDK 1.1: untitled window");
    DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    checks.equal(style & 0x50ca0000, 0x50ca0000ul,
                 "JDK 1.1: a new project window is visible, with caption, system menu, minimise box");
    checks.equal(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0ul, "JDK 1.1: no maximise box, no sizing border");
    checks.check((GetWindowLongA(builder.tabs(window), GWL_STYLE) & TCS_MULTILINE) != 0,
                 "JDK 1.1: tabs in several rows");
    checks.equal(builder.statusPart(1), std::string("JDK 1.1.x Project"), "JDK 1.1: status part 1");
    expectTabs(window, kTabs, "JDK 1.1");
    builder.settle();
    checks.equal(builder.toolbarState(IDM_SAVE) & TBSTATE_ENABLED, 0, "JDK 1.1: a fresh project is not modified");
    checks.equal(builder.toolbarState(IDM_COMPILE) & TBSTATE_ENABLED, 0, "JDK 1.1: Compile greyed until ready");
    checks.check(GetDlgItem(builder.pageOf(window, "command"), IDC_LOCATE_JAVAI) != nullptr, "JDK 1.1: Locate Javai");
    visitPages(window, "jdk11", kKinds);

    Typed typed{"app", "com.example.Hello", "alpha beta", gStandins + "\\javai.dll"};
    fillCommandPage(window, typed);
    fillListPages(window, true);
    builder.selectTab(window, 4);
    HWND advanced = builder.pageOf(window, "advanced");
    clickNow(advanced, IDC_CP_PREPEND);
    clickNow(advanced, IDC_VERIFY_ON);
    clickNow(advanced, IDC_CLASS_GC);
    builder.selectTab(window, 5);
    HWND heap = builder.pageOf(window, "heap");
    type(heap, IDC_MIN_HEAP, "2048");
    type(heap, IDC_MAX_HEAP, "32768");
    type(heap, IDC_NATIVE_STACK, "256");
    type(heap, IDC_JAVA_STACK, "1024");
    fillVersionPage(window);
    builder.selectTab(window, 0);

    std::string path = gWork + "\\jdk11.csk";
    saveAs(window, path, "Hello.csk", "jdk11.csk");
    Project saved;
    BoxReporter boxes(nullptr);
    if (checks.check(openProject(saved, path, boxes), "JDK 1.1: the engine reads the saved file")) {
        checks.equal(saved.getProjectVersion(), 1, "saved: version");
        checks.equal(saved.exeName(), std::string("app.exe"), "saved: exe name");
        checks.equal(saved.exeFolder(), gWork + "\\out\\", "saved: exe folder");
        checks.check(saved.userDefinedVm, "saved: user defined VM");
        checks.equal(saved.vmLibraryPath(), typed.vmLibrary, "saved: VM library");
        checks.equal(saved.mainClass(), typed.mainClass, "saved: main class");
        checks.equal(saved.arguments(), typed.arguments, "saved: arguments");
        checks.equal(saved.listItem(ProjectList::ClassPath, 0), std::string(".\\lib\\"),
                     "saved: Add Path with Relative Path and the subfolder lib selected gives .\\lib\\");
        checks.equal(saved.listItem(ProjectList::ClassPath, 1), std::string("lib\\hello.jar"), "saved: class path");
        checks.equal(saved.listItem(ProjectList::Properties, 0), std::string("greeting=hello"), "saved: property");
        checks.equal(saved.listItem(ProjectList::Environment, 0), std::string("CASKIT_UI=on"), "saved: environment");
        checks.equal(saved.classPathMode(), 1, "saved: Prepend");
        checks.equal(saved.verifyOption(), 1, "saved: verification On");
        checks.check(saved.classGcEnabled(), "saved: class GC");
        checks.equal(saved.minHeap(), 2048u, "saved: min heap");
        checks.equal(saved.maxHeap(), 32768u, "saved: max heap");
        checks.equal(saved.maxNativeStack(), 256u, "saved: native stack");
        checks.equal(saved.maxJavaStack(), 1024u, "saved: Java stack");
        checks.equal(saved.companyName(), std::string("Caskit Test Co"), "saved: company");
        checks.equal(saved.comments(), std::string("Built by the UI test"), "saved: comments");
        checks.check(saved.versionInfoEnabled, "saved: version block enabled");
    }

    builder.command(IDM_COMPILE);
    std::string exe = gWork + "\\out\\app.exe";
    if (checks.check(fileExists(exe), "JDK 1.1: Compile Project writes out\\app.exe")) {
        std::string log = runProduced(exe, gWork + "\\jdk11-run.log");
        checks.check(contains(log, "com/example/Hello"), "JDK 1.1 run: main class reaches the VM");
        checks.check(contains(log, "alpha") && contains(log, "beta"), "JDK 1.1 run: arguments reach main");
        checks.check(contains(log, "greeting=hello"), "JDK 1.1 run: property reaches the VM");
        checks.check(contains(log, "hello.jar"), "JDK 1.1 run: class path reaches the VM");
        checks.equal(versionString(exe, "CompanyName"), std::string("Caskit Test Co"), "JDK 1.1: version block");
        if (!contains(log, "com/example/Hello")) checks.note("     stand-in log:\n" + log);
    }
    checks.equal(builder.statusPart(0), std::string("Ready"), "status back to Ready after Compile");
    heldToolbarButton();
    compileWithControlC(window, exe);
    copyWithControlC(window, exe);
}

void jdk20Project(HWND& window) {
    window = newProject(2);
    if (!window) return;
    checks.equal(builder.statusPart(1), std::string("JDK 2.0 Project"), "JDK 2.0: status part 1");
    expectTabs(window, kTabs20, "JDK 2.0");
    checks.check(GetDlgItem(builder.pageOf(window, "command"), IDC_LOCATE_JVM) != nullptr, "JDK 2.0: Locate JVM");
    checks.check(GetDlgItem(builder.pageOf(window, "advanced"), IDC_JIT) != nullptr, "JDK 2.0: JIT switch");
    checks.check(GetDlgItem(builder.pageOf(window, "heap"), IDC_NATIVE_STACK) == nullptr, "JDK 2.0: no stack fields");
    visitPages(window, "jdk20", kKinds20);
    builder.settle();
    checks.equal(builder.toolbarState(IDM_SAVE) & TBSTATE_ENABLED, 0,
                 "JDK 2.0: a new project stays unmodified after visiting every tab");
    helpInBrowser(window);
    keyboardOnPages(window);

    // "Use the System VM" says where the program looks for Java, in order.
    builder.selectTab(window, 0);
    RECT radio{};
    GetWindowRect(control(builder.pageOf(window, "command"), IDC_SYSTEM_VM), &radio);
    const std::string tip = toolTipAt(POINT{(radio.left + radio.right) / 2, (radio.top + radio.bottom) / 2});
    checks.check(tip.rfind("The program looks for Java in this order: the runtime registered for JDK 1.2; ", 0) == 0 &&
                     contains(tip, "JAVA_HOME") && contains(tip, "java.exe on the PATH"),
                 "JDK 2.0: tool tip of Use the System VM: " + tip);

    Typed typed{"app20", "org.sample.Main", "one two", gStandins + "\\jvm.dll"};
    fillCommandPage(window, typed);
    // The VM library beside the executable, chosen with Relative Path, is
    // stored as its bare name and found by the produced program at run time.
    std::string localVm = gWork + "\\out\\jvm.dll";
    CopyFileA(typed.vmLibrary.c_str(), localVm.c_str(), FALSE);
    builder.selectTab(window, 0);
    HWND command = builder.pageOf(window, "command");
    if (pickRelativeFile(control(command, IDC_LOCATE_JVM), "Select jvm.dll", localVm)) {
        checks.equal(read(command, IDC_VM_PATH), std::string("jvm.dll"), "Locate JVM with Relative Path gives jvm.dll");
    }
    fillListPages(window, false);
    builder.selectTab(window, 4);
    clickNow(builder.pageOf(window, "advanced"), IDC_JIT);
    builder.selectTab(window, 5);
    type(builder.pageOf(window, "heap"), IDC_MIN_HEAP, "4096");
    builder.selectTab(window, 0);

    std::string path = gWork + "\\jdk20.csk";
    saveAs(window, path, "Main.csk", "jdk20.csk");
    Project saved;
    BoxReporter boxes(nullptr);
    if (checks.check(openProject(saved, path, boxes), "JDK 2.0: the engine reads the saved file")) {
        checks.equal(saved.getProjectVersion(), 2, "saved: version 2");
        checks.equal(saved.exeName(), std::string("app20.exe"), "saved: exe name");
        checks.equal(saved.mainClass(), typed.mainClass, "saved: main class");
        checks.check(saved.jitEnabled(), "saved: JIT");
        checks.equal(saved.vmLibraryPath(), std::string("jvm.dll"), "saved: relative VM library");
        checks.equal(saved.listItem(ProjectList::ClassPath, 0), std::string(".\\lib\\extra.jar"),
                     "saved: Add File with Relative Path gives .\\lib\\extra.jar");
        checks.equal(saved.minHeap(), 4096u, "saved: min heap");
        checks.equal(saved.maxNativeStack(), 0u, "saved: JDK 2.0 heap page stores stack 0");
        checks.equal(saved.listItem(ProjectList::Properties, 0), std::string("greeting=hello"), "saved: property");
    }
    builder.command(IDM_COMPILE);
    std::string exe = gWork + "\\out\\app20.exe";
    if (checks.check(fileExists(exe), "JDK 2.0: Compile Project writes out\\app20.exe")) {
        std::string log = runProduced(exe, gWork + "\\jdk20-run.log");
        checks.check(contains(log, "org/sample/Main"), "JDK 2.0 run: main class reaches the VM");
        checks.check(contains(log, "one") && contains(log, "two"), "JDK 2.0 run: arguments reach main");
        checks.check(contains(log, "greeting=hello"), "JDK 2.0 run: property reaches the VM");
        checks.check(contains(log, "4096"), "JDK 2.0 run: heap size reaches the VM");
        if (!contains(log, "org/sample/Main")) checks.note("     stand-in log:\n" + log);
    }
}

// The folder picker remembers the subfolder selected in its list, and
// forgets it when the dialog changes folder.
void folderPickerSelection() {
    HWND window = newProject(1);
    if (!window) return;
    HWND page = builder.pageOf(window, "command");
    std::string out = gWork + "\\out";
    checks.equal(pickWithSelection(page, out, "lib", nullptr), out + "\\lib\\",
                 "Select with the subfolder lib selected gives the current folder plus lib, absolute");
    checks.equal(pickWithSelection(page, out, "lib", "out"), gWork + "\\",
                 "changing folder forgets the selected subfolder");
    selectInVirtualFolder(page);
    PostMessageA(window, WM_CLOSE, 0, 0);
    answerMessageBox("Project Modified", IDNO);
    checks.check(eventually([&] { return !IsWindow(window); }), "the picker test project closes");
}

// The real pickers of Locate Javai and Locate Image...; then Compile
// Project on a modified project without a file asks for one first, and
// cancelling that compiles nothing.
void compileCancelledSave() {
    HWND window = newProject(1);
    if (!window) return;
    locateWithRealPickers(window);
    HWND page = builder.pageOf(window, "command");
    type(page, IDC_EXE_NAME, "cancelled");
    type(page, IDC_MAIN_CLASS, "com.example.Cancelled");
    builder.settle();
    checks.check(builder.toolbarState(IDM_COMPILE) & TBSTATE_ENABLED, "ready to compile once folder and class are set");
    builder.postCommand(IDM_COMPILE);
    HWND save = waitTopLevel(builder.processId(), "Save Caskit Project");
    if (checks.check(save != nullptr, "Compile Project of an unsaved project asks for a project file")) {
        postClick(GetDlgItem(save, IDCANCEL));
        eventually([&] { return !IsWindow(save); });
    }
    builder.settle();
    checks.check(!fileExists(gWork + "\\out\\cancelled.exe"), "a cancelled save compiles nothing");
    checks.equal(read(page, IDC_EXE_NAME), std::string("cancelled.exe"), "Compile Project verified the page first");
    checks.equal(builder.statusPart(0), std::string("Ready"), "status Ready after the cancelled compile");
    PostMessageA(window, WM_CLOSE, 0, 0);
    answerMessageBox("Project Modified", IDNO);
    checks.check(eventually([&] { return !IsWindow(window); }), "the cancelled-compile project closes");
}

}  // namespace scenarios
