// The frame on its own: resources, file association, initial command
// state, status bar, help, About box; later the single-instance hand-over.

#include <windows.h>
#include <commctrl.h>

#include "builder/ui/resource.h"
#include "tests/ui/Driver.h"

using namespace driver;

namespace {

std::string registryDefault(const char* subKey) {
    char value[2048] = {};
    LONG size = sizeof value;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, subKey, value, &size) != ERROR_SUCCESS) return "<missing>";
    return value;
}

void checkResources() {
    HMODULE image = LoadLibraryExA(gExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!checks.check(image != nullptr, "Caskit2.exe loads as a data file")) return;
    const struct {
        int id;
        const char* text;
    } strings[] = {{IDS_TAB_ICON, "Icon"},           {IDS_TAB_VERSION, "Version"},
                   {IDS_TAB_ADVANCED, "Advanced"},   {IDS_TAB_CLASSPATH, "Classpath"},
                   {IDS_TAB_COMMAND, "Command"},     {IDS_TAB_ENVIRONMENT, "Environment"},
                   {IDS_TAB_PROPERTIES, "Java Properties"}, {IDS_TAB_HEAP, "Heap/Stack"},
                   {IDM_NEW, "Creates a new project"}, {IDM_OPEN, "Opens an existing project"},
                   {IDM_SAVE, "Save a Caskit project"}, {IDM_COMPILE, "Compiles Caskit project"}};
    for (const auto& s : strings) {
        char text[256] = {};
        LoadStringA(image, s.id, text, sizeof text);
        checks.equal(std::string(text), std::string(s.text), "string " + std::to_string(s.id));
    }
    for (int id : {IDR_STUB11, IDR_STUB12}) {
        HRSRC stub = FindResourceA(image, MAKEINTRESOURCEA(id), "EXE");
        checks.check(stub && SizeofResource(image, stub) > 1024, "stub EXE " + std::to_string(id) + " is embedded");
    }
    for (int id : {IDI_PROGRAM, IDI_SMALL_DEFAULT, IDI_LARGE_PLACEHOLDER, IDI_SMALL_PLACEHOLDER, IDI_PROJECT}) {
        checks.check(FindResourceA(image, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14)) != nullptr,
                     "icon group " + std::to_string(id));
    }
    HRSRC bitmap = FindResourceA(image, MAKEINTRESOURCEA(IDB_TOOLBAR), MAKEINTRESOURCEA(2));
    if (checks.check(bitmap != nullptr, "toolbar bitmap 128")) {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(image, bitmap)));
        checks.equal(static_cast<int>(header->biWidth), 14 * 16, "toolbar bitmap holds 14 images of 16");
        checks.equal(static_cast<int>(header->biHeight), 16, "toolbar bitmap height");
    }
    checks.check(FindResourceA(image, MAKEINTRESOURCEA(IDR_COMMANDS), MAKEINTRESOURCEA(4)) != nullptr,
                 "menu 111 \"Commands\"");
    checks.check(FindResourceA(image, "CASKIT2", MAKEINTRESOURCEA(4)) != nullptr, "menu \"Caskit2\"");
    checks.check(FindResourceA(image, "MDIACCEL", MAKEINTRESOURCEA(9)) != nullptr, "accelerators \"MdiAccel\"");
    for (int id : {IDD_SELECT_VERSION, IDD_ABOUT, IDD_PICKER_PATHING, IDD_PICKER_PATHING_SELECT, IDD_PICKER_SELECT}) {
        checks.check(FindResourceA(image, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)) != nullptr,
                     "dialog " + std::to_string(id));
    }
    FreeLibrary(image);
}

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

// Rests the mouse on a toolbar button and reads the tool tip that appears.
std::string toolTipOf(int buttonIndex) {
    RemoteBuffer buffer(builder.process(), sizeof(RECT));
    builder.send(builder.toolbar, TB_GETITEMRECT, buttonIndex, buffer.param());
    RECT item{};
    buffer.read(&item, sizeof item);
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(builder.toolbar, &centre);
    SetCursorPos(centre.x - 3, centre.y - 3);
    Sleep(200);
    SetCursorPos(centre.x, centre.y);
    ToolTipSearch search{builder.processId(), std::string()};
    eventually([&] {
        search.text.clear();
        EnumWindows(findToolTip, reinterpret_cast<LPARAM>(&search));
        return !search.text.empty();
    }, 8000);
    SetCursorPos(900, 700);
    Sleep(300);
    return search.text;
}

}  // namespace

namespace scenarios {

void frameAtStart() {
    checkResources();
    checks.equal(registryDefault(".csk"), std::string("Caskit Project"), "association: .csk");
    std::string command = registryDefault("Caskit Project\\shell\\open\\command");
    std::string expected = "\"" + gExe + "\" #open#%1";
    checks.check(lstrcmpiA(command.c_str(), expected.c_str()) == 0,
                 "association: open command quotes the builder's path (" + command + ")");

    builder.settle();
    checks.equal(builder.toolbarState(IDM_SAVE) & TBSTATE_ENABLED, 0, "no project: Save greyed");
    checks.equal(builder.toolbarState(IDM_COMPILE) & TBSTATE_ENABLED, 0, "no project: Compile greyed");
    checks.check(builder.toolbarState(IDM_NEW) & TBSTATE_ENABLED, "New enabled");
    checks.check(builder.toolbarState(IDM_OPEN) & TBSTATE_ENABLED, "Open enabled");
    checks.equal(builder.statusPart(0), std::string("Ready"), "status: Ready");
    checks.equal(builder.statusPart(1), std::string(""), "status: no project version");

    checks.equal(helpContextFromFrame(), 10, "Context Sensitive Help without a project asks for context 10");
    int before = gHelp.calls;
    builder.command(IDM_HELPTOPICS);
    eventually([&] { return gHelp.calls > before; }, 5000);
    checks.equal(gHelp.command, HELP_CONTENTS, "Help Topics asks WinHelp for the contents");
    checks.equal(gHelp.file, std::string("Caskit.hlp"), "Help Topics names Caskit.hlp");
    checks.equal(toolTipOf(1), std::string("Creates a new project"), "tool tip of New");
    checks.equal(toolTipOf(5), std::string("Compiles Caskit project"), "tool tip of Compile Project");
    checks.screenshot("frame");

    builder.postCommand(IDM_ABOUT);
    HWND about = waitTopLevel(builder.processId(), "About Caskit Professional");
    if (checks.check(about != nullptr, "About box appears")) {
        std::string texts;
        for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            texts += windowText(child) + "|";
        }
        checks.check(contains(texts, "Caskit Professional") && contains(texts, "Version 2.2"), "About texts: " + texts);
        checks.screenshot("dialog-about");
        postClick(GetDlgItem(about, IDOK));
        checks.check(eventually([&] { return !IsWindow(about); }), "About closes with OK");
    }
}

}  // namespace scenarios
