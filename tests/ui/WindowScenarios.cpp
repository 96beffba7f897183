// Opening (no duplicate windows), the single-instance hand-over, a window
// without pages, and the close prompts.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

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

}  // namespace

namespace scenarios {

void openingAndHandOver(HWND jdk11Window) {
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
    checks.equal(builder.tabCount(reopened), 8, "reopened project shows its pages");

    count = builder.children().size();
    checks.equal(secondInstance("#open#" + jdk11), 0, "second start with an open path ends with 0");
    checks.check(waitActive(jdk11Window), "handing over an open path activates its window");
    checks.equal(builder.children().size(), count, "handing over an open path makes no second window");
    checks.equal(secondInstance(""), 0, "second start without #open# ends with 0");
    builder.settle();
    checks.equal(builder.children().size(), count, "second start without #open# opens nothing");

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
    try {
        project.setLargeIconPath(icon);
    } catch (const std::exception&) {
        // the path is stored before the image is read
    }
    std::string path = gWork + "\\damaged.csk";
    std::string bytes = serializeProject(project);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    checks.equal(secondInstance("#open#" + path), 0, "hand-over of a project with a damaged icon");
    HWND window = nullptr;
    eventually([&] { return (window = windowTitled("Caskit Project - damaged.csk")) != nullptr; }, 15000);
    if (HWND box = topLevel(builder.processId(), "Error Creating Project File")) {
        (void)box;
        checks.note("     reported: " + answerMessageBox("Error Creating Project File", IDOK));
    }
    checks.check(builder.running(), "Caskit2 survives a damaged icon file");
    if (!checks.check(window != nullptr, "a project with a damaged icon file opens")) return;
    checks.equal(read(builder.pageOf(window, "icon"), IDC_LARGE_ICON_PATH), icon, "icon page shows the stored path");
    checks.check(builder.selectTab(window, 7) && builder.selectTab(window, 0), "the icon page verifies");
    checks.check(builder.running(), "Caskit2 survives verifying the damaged icon");
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (topLevel(builder.processId(), "Project Modified") || waitTopLevel(builder.processId(), "Project Modified", 2000)) {
        answerMessageBox("Project Modified", IDNO);
    }
    checks.check(eventually([&] { return !IsWindow(window); }), "the damaged-icon project closes");
}

void windowWithoutPages() {
    Project seven;
    seven.setProjectVersion(7);
    seven.setMainClass("Seven");
    seven.setExeFolder(gWork + "\\out\\");
    seven.setExeName("seven.exe");
    std::string path = gWork + "\\seven.csk";
    std::string bytes = serializeProject(seven);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    checks.equal(secondInstance("#open#" + path), 0, "hand-over of a version 7 project");
    HWND window = nullptr;
    checks.check(eventually([&] { return (window = windowTitled("Caskit Project - seven.csk")) != nullptr; }),
                 "a version 7 project opens");
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
    if (HWND box = topLevel(builder.processId(), "Error Compiling Executable")) {
        checks.note("     version 7 compile reported: " + answerMessageBox("Error Compiling Executable", IDOK));
        (void)box;
    }
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
    std::string text = answerMessageBox("Project Modified", IDCANCEL);
    checks.equal(text, std::string("Do you want to save before closing?"), "close prompt text");
    builder.settle();
    checks.check(IsWindow(jdk11Window), "Cancel in the close prompt keeps the window");

    PostMessageA(builder.frame, WM_CLOSE, 0, 0);
    answerMessageBox("Project Modified", IDCANCEL);
    builder.settle();
    checks.check(IsWindow(builder.frame) && IsWindow(jdk11Window), "Cancel keeps the frame and the window");

    PostMessageA(builder.frame, WM_CLOSE, 0, 0);
    answerMessageBox("Project Modified", IDNO);
    checks.equal(builder.exitCode(30000), 0, "the frame closes and Caskit2 ends with 0");
}

}  // namespace scenarios
