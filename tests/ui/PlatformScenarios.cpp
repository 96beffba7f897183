// The builder on older systems, as Wine reports them for a program whose
// file name has its own Windows version (HKCU\Software\Wine\AppDefaults):
// Windows NT 3.51 is refused at start-up; on Windows 98 a project window
// has no Version and Icon pages. Runs after the first builder has ended,
// so that the copy does not hand over to it.

#include <windows.h>

#include "builder/ui/resource.h"
#include "tests/ui/Driver.h"

using namespace driver;

namespace {

// A copy of Caskit2.exe named `name`, which Wine runs as `version`.
std::string copyAsVersion(const std::string& name, const char* version) {
    std::string copy = gWork + "\\" + name;
    CopyFileA(gExe.c_str(), copy.c_str(), FALSE);
    std::string key = "Software\\Wine\\AppDefaults\\" + name;
    HKEY raw = nullptr;
    if (RegCreateKeyA(HKEY_CURRENT_USER, key.c_str(), &raw) == ERROR_SUCCESS) {
        RegSetValueExA(raw, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(lstrlenA(version) + 1));
        RegCloseKey(raw);
    }
    return copy;
}

bool keyExists(const char* subKey) {
    HKEY raw = nullptr;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, subKey, &raw) != ERROR_SUCCESS) return false;
    RegCloseKey(raw);
    return true;
}

void refusedOnNt351() {
    std::string exe = copyAsVersion("CaskitNt351.exe", "nt351");
    // The association is written at every start that passes the platform
    // check: removed here, it must stay absent.
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "Caskit Project\\shell\\open\\command");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "Caskit Project\\shell\\open");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "Caskit Project\\shell");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "Caskit Project");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".csk");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    if (!checks.check(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &process) != FALSE,
                      "NT 3.51: the builder starts")) {
        return;
    }
    HWND box = waitTopLevel(process.dwProcessId, "Execution Error");
    if (checks.check(box != nullptr, "NT 3.51: \"Execution Error\" is shown")) {
        std::string text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (className(child) == "Static" && !windowText(child).empty()) text = windowText(child);
        }
        checks.equal(text, std::string("Caskit will not run on this platform, it requires the modern user interface."),
                     "NT 3.51: the platform message");
        postClick(GetDlgItem(box, IDOK));
    }
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    checks.equal(static_cast<int>(code), -1, "NT 3.51: the builder ends with -1");
    checks.check(FindWindowA("CaskitFrame", "Caskit2") == nullptr, "NT 3.51: no frame");
    checks.check(!keyExists(".csk") && !keyExists("Caskit Project"), "NT 3.51: no file association is written");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void sixTabsOnWindows98() {
    std::string exe = copyAsVersion("CaskitWin98.exe", "win98");
    builder = Builder();
    if (!checks.check(builder.start(exe, gWork + "\\out"), "Windows 98: the builder starts")) return;
    checks.check(keyExists(".csk"), "Windows 98: the file association is written");
    for (int version : {1, 2}) {
        HWND window = newProject(version);
        if (!window) continue;
        std::string what = "Windows 98, JDK " + std::string(version == 1 ? "1.1" : "2.0");
        std::vector<std::string> tabs = {"Command", "Classpath", "Java Properties", "Environment", "Advanced",
                                         "Heap/Stack"};
        if (version == 2) tabs.push_back("Runtime");
        expectTabs(window, tabs, what);
        checks.check(builder.pageOf(window, "version") == nullptr && builder.pageOf(window, "icon") == nullptr,
                     what + ": no Version and Icon pages");
        checks.screenshot("win98-jdk" + std::string(version == 1 ? "11" : "20"));
    }
    // The session ends: asked first (nothing is modified), then closed.
    checks.equal(static_cast<int>(builder.send(builder.frame, WM_QUERYENDSESSION, 0, 0)), TRUE,
                 "Windows 98: the shutdown query agrees without a modified project");
    PostMessageA(builder.frame, WM_ENDSESSION, TRUE, 0);
    checks.equal(builder.exitCode(30000), 0, "Windows 98: the session's end closes the frame; the builder ends with 0");
}

}  // namespace

namespace scenarios {

void olderPlatforms() {
    refusedOnNt351();
    sixTabsOnWindows98();
}

}  // namespace scenarios
