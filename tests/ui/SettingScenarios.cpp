// The settings of JDK 2.0 projects beyond the original record: set on the
// Runtime, command and version pages as a user sets them, saved, read back
// with the engine, and shown again when the project is opened anew.

#include <windows.h>

#include <cstdio>

#include "builder/engine/Project.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/SettingChecks.h"
#include "builder/ui/BoxReporter.h"
#include "builder/ui/resource.h"
#include "tests/ui/Driver.h"

using namespace driver;

namespace {

const int kRuntimeTab = 6;
const int kVersionTab = 7;

struct Field {
    int tab;
    const char* page;
    int id;
    std::string value;
};

// The list box's lines as "[a][b]"; the system carries them across
// processes in UTF-16.
std::string listLines(HWND list) {
    std::string lines;
    int count = static_cast<int>(builder.send(list, LB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        wchar_t wide[512] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 10000, &ignored);
        char line[512] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, line, sizeof line, nullptr, nullptr);
        lines += "[" + std::string(line) + "]";
    }
    return lines;
}

bool isChecked(HWND page, int id) { return builder.send(control(page, id), BM_GETCHECK) == BST_CHECKED; }

// The VM options typed and added; the first is refused with the message
// the compile gives.
void addOptions(HWND runtime, const std::vector<std::string>& options) {
    type(runtime, IDC_VM_OPTION, "Xmx512m");
    postClick(control(runtime, IDC_ADD_VM_OPTION));
    checks.equal(answerMessageBox("Data Error", IDOK), *jvmOptionProblem("Xmx512m"),
                 "a VM option without \"-\" is refused with the compile's message");
    for (const std::string& option : options) {
        type(runtime, IDC_VM_OPTION, option);
        builder.send(control(runtime, IDC_ADD_VM_OPTION), BM_CLICK);
    }
}

// Every new control as the scenario set it.
void checkShown(HWND window, const std::vector<Field>& fields, const std::string& options) {
    for (const Field& f : fields) {
        checks.equal(read(builder.pageOf(window, f.page), f.id), f.value,
                     std::string("reopened: ") + f.page + " field " + std::to_string(f.id));
    }
    HWND runtime = builder.pageOf(window, "runtime");
    checks.equal(listLines(control(runtime, IDC_VM_OPTION_LIST)), options, "reopened: VM options in order");
    checks.check(isChecked(runtime, IDC_STARTUP_CACHE) && isChecked(runtime, IDC_FOLDER_CALLER) &&
                     !isChecked(runtime, IDC_FOLDER_EXECUTABLE) && isChecked(runtime, IDC_SINGLE_INSTANCE) &&
                     isChecked(builder.pageOf(window, "command"), IDC_CONSOLE_PROGRAM),
                 "reopened: start-up cache, the caller's folder, one instance, console program");
}

// A change (the exe name, stored as it is typed), then a setting the
// compile refuses, pasted into a field: Save shows the compile's message
// and writes nothing.
void refusedSave(HWND window, const std::string& path) {
    builder.selectTab(window, 0);
    type(builder.pageOf(window, "command"), IDC_EXE_NAME, "changed");
    builder.selectTab(window, kRuntimeTab);
    type(builder.pageOf(window, "runtime"), IDC_JAVA_MAX, "21\r\n");
    Project refused;
    refused.setExtended(&ExtendedSettings::javaMaxVersion, std::string("21\r\n"));
    const std::string before = readFile(path);
    builder.postCommand(IDM_SAVE);
    checks.equal(answerMessageBox("Data Error", IDOK), extendedSettingProblem(refused).value_or(""),
                 "Save with a refused setting shows the compile's message");
    builder.settle();
    checks.check(readFile(path) == before, "Save writes nothing while a page refuses");
}

}  // namespace

namespace scenarios {

void jdk20Settings() {
    const std::string folder = gWork + "\\settings";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\lib").c_str(), nullptr);
    if (FILE* f = std::fopen((folder + "\\lib\\app.jar").c_str(), "wb")) std::fclose(f);
    const std::vector<std::string> options = {"-Xmx512m", "--add-opens=java.base/java.lang=ALL-UNNAMED"};
    const std::vector<Field> fields = {{kRuntimeTab, "runtime", IDC_JAVA_MIN, "17"},
                                       {kRuntimeTab, "runtime", IDC_JAVA_MAX, "21"},
                                       {kRuntimeTab, "runtime", IDC_DOWNLOAD_URL, "https://example.org/java"},
                                       {kRuntimeTab, "runtime", IDC_INSTANCE_HANDLER, "org.sample.Tool.handOver"},
                                       {kRuntimeTab, "runtime", IDC_RESTART_EXIT_CODE, "42"},
                                       {kVersionTab, "version", IDC_FILE_DESCRIPTION, "Sample Tool"},
                                       {kVersionTab, "version", IDC_PRODUCT_NAME, "Sample Suite"},
                                       {0, "command", IDC_MAIN_CLASS, "org.sample.Tool"},
                                       {0, "command", IDC_MANIFEST_PATH, folder + "\\app.manifest"}};
    HWND window = newProject(2);
    if (!window) return;
    checks.check(builder.selectTab(window, kRuntimeTab), "the Runtime tab selects");
    HWND runtime = builder.pageOf(window, "runtime");
    addOptions(runtime, options);
    clickNow(runtime, IDC_STARTUP_CACHE);
    clickNow(runtime, IDC_FOLDER_CALLER);
    clickNow(runtime, IDC_SINGLE_INSTANCE);  // which lets the handler be typed
    for (const Field& f : fields) {
        builder.selectTab(window, f.tab);
        type(builder.pageOf(window, f.page), f.id, f.value);
    }
    builder.selectTab(window, kRuntimeTab);
    checks.screenshot("runtime-page");
    builder.selectTab(window, 0);
    HWND command = builder.pageOf(window, "command");
    clickNow(command, IDC_CONSOLE_PROGRAM);
    pickExeFolder(command, gWork + "\\out");
    const std::string path = folder + "\\tool.csk";
    saveAs(window, path, "Tool.csk", "tool.csk");
    // Saved, the project has a folder: Relative Path counts from it.
    pickRelativeFile(control(command, IDC_LOCATE_JAR), "Select Jar to Embed", folder + "\\lib\\app.jar");
    builder.command(IDM_SAVE);

    Project saved;

    BoxReporter boxes(nullptr);
    if (checks.check(openProject(saved, path, boxes), "settings: the engine reads the saved file")) {
        ExtendedSettings expected;
        expected.jvmOptions = options;
        expected.javaMinVersion = "17";
        expected.javaMaxVersion = "21";
        expected.downloadUrl = "https://example.org/java";
        expected.instanceHandler = "org.sample.Tool.handOver";
        expected.restartExitCode = 42;
        expected.startupCache = expected.consoleProgram = expected.singleInstance = true;
        expected.workingFolder = 1;
        expected.manifestPath = folder + "\\app.manifest";
        expected.embeddedJar = ".\\lib\\app.jar";
        expected.fileDescription = "Sample Tool";
        expected.productName = "Sample Suite";
        expected.codePage = saved.extended().codePage;
        checks.check(saved.extended() == expected, "saved: every new setting, the jar relative to the project file");
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    checks.check(eventually([&] { return !IsWindow(window); }), "the saved project closes without asking");

    builder.postCommand(IDM_OPEN);
    answerFileDialog("Open Caskit Project", path);
    HWND reopened = nullptr;
    eventually([&] { return (reopened = builder.activeChild()) && windowText(reopened) == "Caskit Project - tool.csk"; });
    if (!checks.check(reopened != nullptr, "the saved project opens again")) return;
    std::vector<Field> shown = fields;
    shown.push_back({0, "command", IDC_EMBEDDED_JAR, ".\\lib\\app.jar"});
    checkShown(reopened, shown, "[" + options[0] + "][" + options[1] + "]");
    refusedSave(reopened, path);
    PostMessageA(reopened, WM_CLOSE, 0, 0);
    answerMessageBox("Project Modified", IDNO);
    checks.check(eventually([&] { return !IsWindow(reopened); }), "the reopened project closes");
}

}  // namespace scenarios
