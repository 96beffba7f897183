// The settings of JDK 2.0 projects beyond the original record: set on the
// Runtime, command and version pages as a user sets them, saved, read back
// with the engine, and shown again when the project is opened anew.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "builder/engine/Project.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/SettingChecks.h"
#include "builder/ui/resource.h"
#include "tests/ui/Driver.h"

using namespace driver;

namespace {

const int kRuntimeTab = 6;
const int kVersionTab = 7;
const char kAddOpens[] = "--add-opens=java.base/java.lang=ALL-UNNAMED";

std::vector<std::string> listLines(HWND page, int id) {
    std::vector<std::string> lines;
    HWND list = control(page, id);
    int count = static_cast<int>(builder.send(list, LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        // The system carries the text across processes, in UTF-16.
        wchar_t wide[512] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 10000, &ignored);
        char line[512] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, line, sizeof line, nullptr, nullptr);
        lines.push_back(line);
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "[" + line + "]";
    return text;
}

bool isChecked(HWND page, int id) { return builder.send(control(page, id), BM_GETCHECK) == BST_CHECKED; }

void addOption(HWND runtime, const std::string& option) {
    size_t before = listLines(runtime, IDC_VM_OPTION_LIST).size();
    type(runtime, IDC_VM_OPTION, option);
    postClick(control(runtime, IDC_ADD_VM_OPTION));
    checks.check(eventually([&] { return listLines(runtime, IDC_VM_OPTION_LIST).size() == before + 1; }, 10000),
                 "Add lists the VM option " + option);
}

void fillRuntimePage(HWND window) {
    checks.check(builder.selectTab(window, kRuntimeTab), "the Runtime tab selects");
    HWND runtime = builder.pageOf(window, "runtime");
    type(runtime, IDC_VM_OPTION, "Xmx512m");
    postClick(control(runtime, IDC_ADD_VM_OPTION));
    checks.equal(answerMessageBox("Data Error", IDOK), *jvmOptionProblem("Xmx512m"),
                 "a VM option without \"-\" is refused with the compile's message");
    checks.equal(listLines(runtime, IDC_VM_OPTION_LIST).size(), 0u, "the refused option is not listed");
    addOption(runtime, "-Xmx512m");
    addOption(runtime, kAddOpens);
    type(runtime, IDC_JAVA_MIN, "17");
    type(runtime, IDC_JAVA_MAX, "21");
    type(runtime, IDC_DOWNLOAD_URL, "https://example.org/java");
    clickNow(runtime, IDC_STARTUP_CACHE);
    clickNow(runtime, IDC_FOLDER_CALLER);
    checks.screenshot("runtime-page");
}

// Every control of the three pages as `what` expects them after reopening.
void checkShown(HWND window, const std::string& what) {
    HWND runtime = builder.pageOf(window, "runtime");
    checks.equal(joined(listLines(runtime, IDC_VM_OPTION_LIST)), "[-Xmx512m][" + std::string(kAddOpens) + "]",
                 what + ": VM options in order");
    checks.equal(read(runtime, IDC_JAVA_MIN), std::string("17"), what + ": lowest Java version");
    checks.equal(read(runtime, IDC_JAVA_MAX), std::string("21"), what + ": highest Java version");
    checks.equal(read(runtime, IDC_DOWNLOAD_URL), std::string("https://example.org/java"), what + ": download address");
    checks.check(isChecked(runtime, IDC_STARTUP_CACHE), what + ": start-up cache");
    checks.check(isChecked(runtime, IDC_FOLDER_CALLER) && !isChecked(runtime, IDC_FOLDER_EXECUTABLE),
                 what + ": the caller's folder");
    HWND command = builder.pageOf(window, "command");
    checks.check(isChecked(command, IDC_CONSOLE_PROGRAM), what + ": console program");
    checks.equal(read(command, IDC_MANIFEST_PATH), gWork + "\\settings\\app.manifest", what + ": manifest");
    checks.equal(read(command, IDC_EMBEDDED_JAR), std::string(".\\lib\\app.jar"), what + ": embedded jar");
    HWND version = builder.pageOf(window, "version");
    checks.equal(read(version, IDC_FILE_DESCRIPTION), std::string("Sample Tool"), what + ": file description");
    checks.equal(read(version, IDC_PRODUCT_NAME), std::string("Sample Suite"), what + ": product name");
}

void checkSaved(const std::string& path) {
    Project saved;
    if (!checks.check(openProject(saved, nullptr, path), "settings: the engine reads the saved file")) return;
    const ExtendedSettings& e = saved.extended();
    checks.equal(joined(e.jvmOptions), "[-Xmx512m][" + std::string(kAddOpens) + "]", "saved: VM options");
    checks.equal(e.javaMinVersion + "-" + e.javaMaxVersion, std::string("17-21"), "saved: version range");
    checks.equal(e.downloadUrl, std::string("https://example.org/java"), "saved: download address");
    checks.check(e.startupCache, "saved: start-up cache");
    checks.equal(e.workingFolder, 1u, "saved: the caller's folder");
    checks.check(e.consoleProgram, "saved: console program");
    checks.equal(e.manifestPath, gWork + "\\settings\\app.manifest", "saved: manifest");
    checks.equal(e.embeddedJar, std::string(".\\lib\\app.jar"), "saved: embedded jar relative to the project file");
    checks.equal(e.fileDescription, std::string("Sample Tool"), "saved: file description");
    checks.equal(e.productName, std::string("Sample Suite"), "saved: product name");
}

// A setting the compile refuses, pasted into a field: Save shows the
// compile's message and writes nothing; the tab stays.
void refusedSave(HWND window, const std::string& path) {
    builder.selectTab(window, kRuntimeTab);
    HWND runtime = builder.pageOf(window, "runtime");
    type(runtime, IDC_JAVA_MAX, "21\r\n");
    Project refused;
    refused.setExtended(&ExtendedSettings::javaMaxVersion, std::string("21\r\n"));
    const std::string before = readFile(path);
    builder.postCommand(IDM_SAVE);
    checks.equal(answerMessageBox("Data Error", IDOK), extendedSettingProblem(refused).value_or("(none)"),
                 "Save with a refused setting shows the compile's message");
    builder.settle();
    checks.check(readFile(path) == before, "the refused setting is not saved");
    // A click on the first tab, posted: the refusal's message box opens
    // inside the tab control's handling of the click.
    RemoteBuffer rect(builder.process(), sizeof(RECT));
    builder.send(builder.tabs(window), TCM_GETITEMRECT, 0, rect.param());
    RECT item{};
    rect.read(&item, sizeof item);
    LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(builder.tabs(window), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(builder.tabs(window), WM_LBUTTONUP, 0, point);
    answerMessageBox("Data Error", IDOK);
    builder.settle();
    checks.equal(builder.currentTab(window), kRuntimeTab, "the tab stays while the page refuses");
    checks.equal(builder.toolbarState(IDM_SAVE) & TBSTATE_ENABLED, 0, "the project is as it was saved");
}

}  // namespace

namespace scenarios {

void jdk20Settings() {
    const std::string folder = gWork + "\\settings";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\lib").c_str(), nullptr);
    if (FILE* f = std::fopen((folder + "\\lib\\app.jar").c_str(), "wb")) std::fclose(f);
    HWND window = newProject(2);
    if (!window) return;
    fillRuntimePage(window);
    builder.selectTab(window, 0);
    HWND command = builder.pageOf(window, "command");
    type(command, IDC_MAIN_CLASS, "org.sample.Tool");
    pickExeFolder(command, gWork + "\\out");
    clickNow(command, IDC_CONSOLE_PROGRAM);
    type(command, IDC_MANIFEST_PATH, folder + "\\app.manifest");
    builder.selectTab(window, kVersionTab);
    HWND version = builder.pageOf(window, "version");
    type(version, IDC_FILE_DESCRIPTION, "Sample Tool");
    type(version, IDC_PRODUCT_NAME, "Sample Suite");
    builder.selectTab(window, 0);
    const std::string path = folder + "\\tool.csk";
    saveAs(window, path, "Tool.csk", "tool.csk");

    // Saved, the project has a folder: Relative Path counts from it.
    if (pickRelativeFile(control(command, IDC_LOCATE_JAR), "Select Jar to Embed", folder + "\\lib\\app.jar")) {
        checks.equal(read(command, IDC_EMBEDDED_JAR), std::string(".\\lib\\app.jar"),
                     "Locate Jar with Relative Path counts from the project file's folder");
    }
    builder.command(IDM_SAVE);
    checkSaved(path);
    PostMessageA(window, WM_CLOSE, 0, 0);
    checks.check(eventually([&] { return !IsWindow(window); }), "the saved project closes without asking");

    builder.postCommand(IDM_OPEN);
    answerFileDialog("Open Caskit Project", path);
    HWND reopened = nullptr;
    eventually([&] {
        reopened = builder.activeChild();
        return reopened && windowText(reopened) == "Caskit Project - tool.csk";
    });
    if (!checks.check(reopened != nullptr, "the saved project opens again")) return;
    checkShown(reopened, "reopened");
    refusedSave(reopened, path);
    PostMessageA(reopened, WM_CLOSE, 0, 0);
    checks.check(eventually([&] { return !IsWindow(reopened); }), "the reopened project closes without asking");
}

}  // namespace scenarios
