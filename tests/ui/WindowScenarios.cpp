// Opening (no duplicate windows), the single-instance hand-over, a window
// without pages, and the close prompts.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "builder/engine/IconLoading.h"
#include "builder/engine/Project.h"
#include "builder/engine/ProjectFile.h"
#include "builder/ui/resource.h"
#include "tests/ui/Driver.h"

using namespace driver;

namespace {

HWND windowTitled(const std::string& title) {
    for (HWND child : builder.children()) {
        if (windowText(child) == title) return child;
    }
    return nullptr;
}

// A second Caskit2.exe with the given command-line tail; its exit code.
int secondInstance(const std::string& tail) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + gExe + "\"" + (tail.empty() ? "" : " " + tail);
    if (!CreateProcessA(gExe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -998;
    }
    DWORD code = 999;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

bool waitActive(HWND window) {
    return eventually([&] { return builder.activeChild() == window; }, 10000);
}

// Writes a project file as the engine saves it.
void writeProjectFile(const Project& project, const std::string& path) {
    std::string bytes = serializeProject(project);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// Writes `project` as gWork\`name` and hands that path to the running
// builder by a second start; answers the window that shows it, or null.
HWND openByHandOver(const Project& project, const std::string& name, const std::string& what) {
    std::string path = gWork + "\\" + name;
    writeProjectFile(project, path);
    checks.equal(secondInstance("#open#" + path), 0, "hand-over of " + what);
    HWND window = nullptr;
    checks.check(eventually([&] { return (window = windowTitled("Caskit Project - " + name)) != nullptr; }),
                 what + " opens");
    return window;
}

// Closes a project window that has no unsaved changes.
void closeUnmodified(HWND window, const std::string& what) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    checks.check(eventually([&] { return !IsWindow(window); }), what + " closes without asking");
}

// Message 1124 (OPEN_PROJECT) posted by another program with values the
// frame never queued: garbage, and a readable block in the builder holding
// the path of a project file. The frame neither frees nor opens any of them.
void postForeignOpenProject(const std::string& what) {
    std::string target = gWork + "\\foreign.csk";
    Project project;
    project.setProjectVersion(1);
    writeProjectFile(project, target);
    RemoteBuffer block(builder.process(), target.size() + 1);
    block.write(target.c_str(), target.size() + 1);
    size_t count = builder.children().size();
    for (LPARAM value : {LPARAM(0), LPARAM(1), LPARAM(0x10000), LPARAM(-1), static_cast<LPARAM>(0xDEADBEEF),
                         block.param()}) {
        PostMessageA(builder.frame, WM_USER + 100, 0, value);
    }
    builder.settle();  // the frame's thread has read everything posted above
    DWORD_PTR ignored = 0;
    bool answers = SendMessageTimeoutA(builder.frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0;
    checks.check(builder.running() && answers, what + ": foreign 1124 messages leave the frame running and answering");
    checks.check(topLevel(builder.processId(), "Error Creating Project File") == nullptr,
                 what + ": no open is attempted for them");
    checks.equal(builder.children().size(), count, what + ": a foreign 1124 opens nothing");
    checks.check(windowTitled("Caskit Project - foreign.csk") == nullptr, what + ": the path in a foreign block is not opened");
}

struct QueryEndSession {
    LRESULT answer = -1;
    static DWORD WINAPI run(void* self) {
        static_cast<QueryEndSession*>(self)->answer = builder.send(builder.frame, WM_QUERYENDSESSION, 0, 0);
        return 0;
    }
};

// The shutdown query answered with `button` in the close prompt; the frame's answer.
LRESULT queryEndSession(int button) {
    QueryEndSession query;
    HANDLE thread = CreateThread(nullptr, 0, QueryEndSession::run, &query, 0, nullptr);
    answerMessageBox("Project Modified", button);
    WaitForSingleObject(thread, 30000);
    CloseHandle(thread);
    return query.answer;
}

}  // namespace

namespace scenarios {

void openingAndHandOver(HWND jdk11Window) {
    postForeignOpenProject("at rest");
    std::string jdk11 = gWork + "\\jdk11.csk";
    std::string jdk20 = gWork + "\\jdk20.csk";
    size_t count = builder.children().size();
    builder.postCommand(IDM_OPEN);
    answerFileDialog("Open Caskit Project", jdk11);
    builder.settle();
    checks.equal(builder.children().size(), count, "Open of an open file makes no second window");
    checks.check(waitActive(jdk11Window), "Open of an open file activates its window");
    checks.screenshot("frame-two-projects");

    HWND jdk20Window = windowTitled("Caskit Project - jdk20.csk");
    if (jdk20Window) {
        PostMessageA(jdk20Window, WM_CLOSE, 0, 0);
        checks.check(eventually([&] { return !IsWindow(jdk20Window); }), "an unmodified project closes without asking");
    }
    checks.equal(secondInstance("#open#" + jdk20), 0, "second start with #open# ends with 0");
    HWND reopened = nullptr;
    checks.check(eventually([&] { return (reopened = windowTitled("Caskit Project - jdk20.csk")) != nullptr; }),
                 "the running frame opens the handed-over project");
    checks.equal(builder.tabCount(reopened), 9, "reopened JDK 2.0 project shows its pages");

    count = builder.children().size();
    checks.equal(secondInstance("#open#" + jdk11), 0, "second start with an open path ends with 0");
    checks.check(waitActive(jdk11Window), "handing over an open path activates its window");
    checks.equal(builder.children().size(), count, "handing over an open path makes no second window");
    checks.equal(secondInstance(""), 0, "second start without #open# ends with 0");
    builder.settle();
    checks.equal(builder.children().size(), count, "second start without #open# opens nothing");

    // "#open#" with nothing after it hands over an empty path: the running
    // frame shows its Open dialog.
    checks.equal(secondInstance("#open#"), 0, "second start with an empty #open# ends with 0");
    HWND open = waitTopLevel(builder.processId(), "Open Caskit Project");
    if (checks.check(open != nullptr, "an empty hand-over shows the Open dialog in the running frame")) {
        postClick(GetDlgItem(open, IDCANCEL));
        eventually([&] { return !IsWindow(open); });
    }
    builder.settle();
    checks.equal(builder.children().size(), count, "a cancelled Open dialog opens nothing");

    // Text before the marker is discarded whatever it is; a path with
    // blanks after it is taken whole.
    Project spaced;
    spaced.setProjectVersion(1);
    spaced.setMainClass("Spaced");
    std::string spacedPath = gWork + "\\with blanks.csk";
    writeProjectFile(spaced, spacedPath);
    checks.equal(secondInstance("Files\\Caskit2.exe stray words #open#" + spacedPath), 0,
                 "second start with text before #open# ends with 0");
    HWND spacedWindow = nullptr;
    checks.check(eventually([&] {
                     return (spacedWindow = windowTitled("Caskit Project - with blanks.csk")) != nullptr;
                 }),
                 "the path after #open# is taken whole, blanks included");
    if (spacedWindow) closeUnmodified(spacedWindow, "the project with blanks in its path");

    // Windows ignores letter case in paths: the same file spelled in other
    // letters only activates its window.
    std::string otherCase = gWork + "\\JDK11.CSK";
    CharLowerBuffA(&otherCase[0], 1);  // the drive letter too: "z:"
    if (builder.activeChild() == jdk11Window) builder.send(builder.mdiClient, WM_MDINEXT, 0, 0);
    checks.equal(secondInstance("#open#" + otherCase), 0, "hand-over of the JDK 1.1 file in other letters");
    checks.check(waitActive(jdk11Window), "the same file in other letters activates its window");
    builder.settle();
    checks.check(windowTitled("Caskit Project - JDK11.CSK") == nullptr, "no second window for the other spelling");
    checks.equal(builder.children().size(), count, "the window count is unchanged");

    // The hand-over data is taken as exactly cbData bytes: a path followed
    // by bytes that are not part of it (and no terminator) opens the path.
    std::string noisy = jdk20 + "GARBAGE";
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(jdk20.size());
    data.lpData = &noisy[0];
    checks.check(builder.send(builder.frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) == TRUE,
                 "WM_COPYDATA is accepted");
    checks.check(waitActive(reopened), "unterminated WM_COPYDATA data opens exactly the path sent");
    builder.settle();
    checks.check(topLevel(builder.processId(), "Error Creating Project File") == nullptr,
                 "no error from bytes beyond cbData");
    checks.equal(builder.children().size(), count, "no extra window from WM_COPYDATA");
}

// A project whose large icon file is damaged: the icon reader's error
// never reaches a window procedure; the project opens without that image.
void damagedIcon() {
    std::string icon = gWork + "\\damaged.ico";
    if (FILE* f = std::fopen(icon.c_str(), "wb")) {
        std::fwrite("\0\0\1\0\5\0garbage", 1, 13, f);
        std::fclose(f);
    }
    Project project;
    project.setProjectVersion(1);
    project.setMainClass("Damaged");
    // Long paths: the path fields keep the file name in view.
    project.setExeFolder(gWork + "\\a folder with a rather long name\\and another one below it\\out\\");
    loadIcon(project, IconSlot::Large, icon);  // the path is stored; its image cannot be read
    std::string path = gWork + "\\damaged.csk";
    writeProjectFile(project, path);
    checks.equal(secondInstance("#open#" + path), 0, "hand-over of a project with a damaged icon");
    HWND window = nullptr;
    eventually([&] { return (window = windowTitled("Caskit Project - damaged.csk")) != nullptr; }, 15000);
    builder.settle();
    // Opening leaves an unreadable icon's image out without a message.
    checks.check(topLevel(builder.processId(), "Error Creating Project File") == nullptr,
                 "a damaged icon file is not reported when the project opens");
    checks.check(builder.running(), "Caskit2 survives a damaged icon file");
    if (!checks.check(window != nullptr, "a project with a damaged icon file opens")) return;
    checks.equal(read(builder.pageOf(window, "icon"), IDC_LARGE_ICON_PATH), icon, "icon page shows the stored path");
    builder.selectTab(window, 0);
    checks.screenshot("long-path-command");
    checks.check(builder.selectTab(window, 7), "the icon tab selects");
    checks.screenshot("long-path-icon");
    checks.check(builder.selectTab(window, 0), "the icon page verifies");
    checks.check(builder.running(), "Caskit2 survives verifying the damaged icon");
    closeUnmodified(window, "the damaged-icon project");
}

// Compile Project of a project whose executable folder is missing: the
// error box shows while the status bar says "Compiling " and the name.
void compilingStatus() {
    Project project;
    project.setProjectVersion(1);
    project.setMainClass("com.example.Missing");
    project.setExeFolder(gWork + "\\no-such-folder\\");
    project.setExeName("missing.exe");
    HWND window = openByHandOver(project, "missing-folder.csk", "a project with a missing folder");
    if (!window) return;
    waitActive(window);
    builder.settle();
    checks.equal(builder.toolbarState(IDM_SAVE) & TBSTATE_ENABLED, 0, "an opened project is not modified");
    builder.postCommand(IDM_COMPILE);
    HWND box = waitTopLevel(builder.processId(), "Error Compiling Executable");
    if (checks.check(box != nullptr, "compiling into a missing folder reports the error")) {
        checks.equal(builder.statusPart(0), std::string("Compiling missing-folder.csk"),
                     "status while compiling: \"Compiling \" and the project name");
        answerMessageBox("Error Compiling Executable", IDOK);
    }
    checks.check(eventually([&] { return builder.statusPart(0) == "Ready"; }, 10000), "status back to Ready");
    closeUnmodified(window, "the project with a missing folder");
}

void windowWithoutPages() {
    Project seven;
    seven.setProjectVersion(7);
    seven.setMainClass("Seven");
    seven.setExeFolder(gWork + "\\out\\");
    seven.setExeName("seven.exe");
    HWND window = openByHandOver(seven, "seven.csk", "a version 7 project");
    if (!window) return;
    waitActive(window);
    checks.equal(builder.tabCount(window), 0, "version 7: no tabs");
    checks.equal(builder.pages(window).size(), static_cast<size_t>(0), "version 7: no pages");
    checks.equal(builder.statusPart(1), std::string(""), "version 7: status part 1 empty");
    checks.equal(helpContextFromFrame(), 10, "version 7: Context Sensitive Help asks for context 10");
    builder.command(IDM_SAVE);
    builder.settle();
    checks.check(builder.toolbarState(IDM_COMPILE) & TBSTATE_ENABLED, "version 7: ready to compile");
    builder.postCommand(IDM_COMPILE);
    builder.settle();
    // Without a stub, version block or icons there is nothing to report.
    checks.check(topLevel(builder.processId(), "Error Compiling Executable") == nullptr,
                 "version 7: Compile Project shows no error");
    checks.check(builder.running() && IsWindow(window), "version 7: Save and Compile Project leave the window");
    checks.check(!fileExists(gWork + "\\out\\seven.exe"), "version 7: no stub is written");
    checks.screenshot("project-without-pages");
    PostMessageA(window, WM_CLOSE, 0, 0);
    checks.check(eventually([&] { return !IsWindow(window); }), "version 7 window closes");
}

void closing(HWND jdk11Window) {
    // Yes in the close prompt, then Cancel in the Save dialog: nothing is
    // lost, the window stays.
    HWND fresh = newProject(1);
    if (fresh) {
        type(builder.pageOf(fresh, "command"), IDC_MAIN_CLASS, "com.example.Unsaved");
        PostMessageA(fresh, WM_CLOSE, 0, 0);
        answerMessageBox("Project Modified", IDYES);
        HWND save = waitTopLevel(builder.processId(), "Save Caskit Project");
        if (checks.check(save != nullptr, "Yes asks for a project file")) {
            postClick(GetDlgItem(save, IDCANCEL));
            eventually([&] { return !IsWindow(save); });
        }
        builder.settle();
        checks.check(IsWindow(fresh), "a save cancelled from the close prompt keeps the window");
        PostMessageA(fresh, WM_CLOSE, 0, 0);
        answerMessageBox("Project Modified", IDNO);
        checks.check(eventually([&] { return !IsWindow(fresh); }), "No closes without saving");
    }

    builder.send(builder.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(jdk11Window));
    type(builder.pageOf(jdk11Window, "command"), IDC_MAIN_CLASS, "com.example.Changed");
    PostMessageA(jdk11Window, WM_CLOSE, 0, 0);
    // While the prompt runs its own message loop, foreign 1124 messages
    // reach the frame too.
    if (waitTopLevel(builder.processId(), "Project Modified")) postForeignOpenProject("during the close prompt");
    std::string text = answerMessageBox("Project Modified", IDCANCEL);
    checks.equal(text, std::string("Do you want to save before closing?"), "close prompt text");
    builder.settle();
    checks.check(IsWindow(jdk11Window), "Cancel in the close prompt keeps the window");

    // The shutdown query only asks: when another program vetoes the
    // shutdown, every window is still open with its edits.
    size_t open = builder.children().size();
    checks.equal(queryEndSession(IDNO), static_cast<LRESULT>(TRUE), "shutdown query: No in the prompt agrees");
    builder.send(builder.frame, WM_ENDSESSION, FALSE, 0);
    builder.settle();
    checks.equal(builder.children().size(), open, "shutdown vetoed elsewhere: every window stays open");
    checks.check(IsWindow(jdk11Window) && (builder.toolbarState(IDM_SAVE) & TBSTATE_ENABLED),
                 "shutdown vetoed elsewhere: the unsaved edits stay");
    checks.equal(queryEndSession(IDCANCEL), static_cast<LRESULT>(FALSE), "shutdown query: Cancel refuses");
    builder.settle();
    checks.equal(builder.children().size(), open, "a refused shutdown closes nothing");

    // Close All: the windows without changes close, the modified one asks
    // and stays on Cancel.
    size_t others = builder.children().size() - 1;
    builder.postCommand(IDM_CLOSEALL);
    answerMessageBox("Project Modified", IDCANCEL);
    builder.settle();
    checks.check(IsWindow(jdk11Window), "Close All: Cancel keeps the modified window");
    checks.equal(builder.children().size(), static_cast<size_t>(1),
                 "Close All closes the windows without changes (" + std::to_string(others) + ")");

    PostMessageA(builder.frame, WM_CLOSE, 0, 0);
    answerMessageBox("Project Modified", IDCANCEL);
    builder.settle();
    checks.check(IsWindow(builder.frame) && IsWindow(jdk11Window), "Cancel keeps the frame and the window");

    PostMessageA(builder.frame, WM_CLOSE, 0, 0);
    answerMessageBox("Project Modified", IDNO);
    checks.equal(builder.exitCode(30000), 0, "the frame closes and Caskit2 ends with 0");
}

}  // namespace scenarios
