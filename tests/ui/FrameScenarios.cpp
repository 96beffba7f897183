// The frame on its own: resources, file association, initial command
// state, status bar, help, About box; later the single-instance hand-over.

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <vector>

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

// The menu as "text=id" items ("-" for a separator), popups in braces.
std::string describeMenu(HMENU menu) {
    std::string out;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (i) out += "|";
        char text[128] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        if (HMENU popup = GetSubMenu(menu, i)) {
            out += std::string(text) + "{" + describeMenu(popup) + "}";
        } else if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) {
            out += "-";
        } else {
            out += std::string(text) + "=" + std::to_string(GetMenuItemID(menu, i));
        }
    }
    return out;
}

std::string menuResource(HMODULE image, LPCSTR name) {
    HRSRC found = FindResourceA(image, name, MAKEINTRESOURCEA(4));
    if (!found) return "<missing>";
    HMENU menu = LoadMenuIndirectA(LockResource(LoadResource(image, found)));
    if (!menu) return "<unreadable>";
    std::string text = describeMenu(menu);
    DestroyMenu(menu);
    return text;
}

// The accelerator table as "flags:key=command" entries (flags: V virtual
// key, N no inversion, S shift, C control).
std::string acceleratorResource(HMODULE image, LPCSTR name) {
    HRSRC found = FindResourceA(image, name, MAKEINTRESOURCEA(9));
    if (!found) return "<missing>";
    const auto* entry = static_cast<const WORD*>(LockResource(LoadResource(image, found)));
    DWORD count = SizeofResource(image, found) / 8;
    std::string out;
    for (DWORD i = 0; i < count; ++i, entry += 4) {
        WORD flags = entry[0];
        if (i) out += "|";
        out += std::string(flags & FVIRTKEY ? "V" : "") + (flags & FNOINVERT ? "N" : "") + (flags & FSHIFT ? "S" : "") +
               (flags & FCONTROL ? "C" : "") + (flags & FALT ? "A" : "") + ":" + std::to_string(entry[1]) + "=" +
               std::to_string(entry[2]);
    }
    return out;
}

struct TemplateHeader {
    bool found = false;
    DWORD style = 0;
    int cx = 0;
    int cy = 0;
};

// Style and size (dialog units) of an extended dialog template.
TemplateHeader dialogTemplate(HMODULE image, int id) {
    TemplateHeader header;
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!found || SizeofResource(image, found) < 26) return header;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(image, found)));
    WORD signature = 0;
    short size[2] = {};
    memcpy(&signature, bytes + 2, 2);
    if (signature != 0xFFFF) return header;
    memcpy(&header.style, bytes + 12, 4);
    memcpy(size, bytes + 22, 4);
    header.found = true;
    header.cx = size[0];
    header.cy = size[1];
    return header;
}

void checkMenusAndTemplates(HMODULE image) {
    checks.equal(menuResource(image, "Caskit2"),
                 std::string("&File{&New=40001|&Open=40002|Save=40004|-|Compile Project=40007|-|E&xit=40005}|"
                             "&Help{Help Topics=40035|Context Sensitive Help=40036|-|About Caskit2=40006}"),
                 "menu \"Caskit2\": items, texts and ids");
    checks.equal(menuResource(image, MAKEINTRESOURCEA(IDR_COMMANDS)),
                 std::string("Commands{PAGE_VERIFY=40034|GET_HELP_ID=40037}"), "menu 111 lists the page messages");
    checks.equal(acceleratorResource(image, "MdiAccel"),
                 std::string("VNC:67=40007|VNC:78=40001|VNC:79=40002|VNC:83=40004|VN:112=40036|VNS:115=40030|"
                             "VNS:116=40031"),
                 "accelerators: Ctrl+C, Ctrl+N, Ctrl+O, Ctrl+S, F1, Shift+F4, Shift+F5");

    const DWORD childTemplate = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT;
    const struct {
        int id;
        int cx;
        int cy;
    } pickers[] = {{IDD_PICKER_PATHING, 217, 40}, {IDD_PICKER_PATHING_SELECT, 272, 28}, {IDD_PICKER_SELECT, 272, 18}};
    for (const auto& t : pickers) {
        TemplateHeader header = dialogTemplate(image, t.id);
        std::string name = "picker template " + std::to_string(t.id);
        if (!checks.check(header.found, name + " is an extended template")) continue;
        checks.equal(header.cx, t.cx, name + ": width");
        checks.equal(header.cy, t.cy, name + ": height");
        checks.equal(static_cast<long long>(header.style), static_cast<long long>(childTemplate), name + ": style");
    }
    for (int id : {IDD_VERSION_PAGE, IDD_ICON_PAGE, IDD_COMMAND_JDK11, IDD_CLASSPATH_PAGE, IDD_ENVIRONMENT_PAGE,
                   IDD_PROPERTIES_PAGE, IDD_ADVANCED_JDK11, IDD_COMMAND_JDK20, IDD_HEAP_JDK11, IDD_HEAP_JDK20,
                   IDD_ADVANCED_JDK20}) {
        TemplateHeader header = dialogTemplate(image, id);
        std::string name = "page template " + std::to_string(id);
        if (!checks.check(header.found, name + " is an extended template")) continue;
        checks.check(header.cx == 250 && header.cy == 175, name + ": 250 x 175");
        checks.check((header.style & WS_CHILD) && !(header.style & WS_VISIBLE), name + ": child, created hidden");
    }
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
    checkMenusAndTemplates(image);
    FreeLibrary(image);
}

// Rests the mouse on a toolbar button and reads the tool tip that appears.
std::string toolTipOf(int buttonIndex) {
    RemoteBuffer buffer(builder.process(), sizeof(RECT));
    builder.send(builder.toolbar, TB_GETITEMRECT, buttonIndex, buffer.param());
    RECT item{};
    buffer.read(&item, sizeof item);
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(builder.toolbar, &centre);
    return toolTipAt(centre);
}

// The right edges of the status bar's parts.
std::vector<int> statusParts() {
    RemoteBuffer buffer(builder.process(), 8 * sizeof(int));
    int count = static_cast<int>(builder.send(builder.statusBar, SB_GETPARTS, 8, buffer.param()));
    std::vector<int> parts(count > 0 && count <= 8 ? count : 0);
    if (!parts.empty()) buffer.read(parts.data(), parts.size() * sizeof(int));
    return parts;
}

// The first status part ends at 67 % of the frame's client width, the
// second takes the rest.
void checkStatusSplit(const std::string& what) {
    builder.settle();
    RECT client{};
    GetClientRect(builder.frame, &client);
    std::vector<int> parts = statusParts();
    if (!checks.equal(static_cast<int>(parts.size()), 2, what + ": two status parts")) return;
    checks.equal(parts[0], static_cast<int>(client.right * 0.67), what + ": first part ends at 67 % of " +
                 std::to_string(client.right));
    checks.equal(parts[1], -1, what + ": second part reaches the right edge");
}

void checkStatusFollowsFrameWidth() {
    RECT start{};
    GetWindowRect(builder.frame, &start);
    checkStatusSplit("status split");
    for (int width : {560, 900}) {
        SetWindowPos(builder.frame, nullptr, 0, 0, width, start.bottom - start.top, SWP_NOMOVE | SWP_NOZORDER);
        checkStatusSplit("status split at width " + std::to_string(width));
    }
    SetWindowPos(builder.frame, nullptr, start.left, start.top, start.right - start.left, start.bottom - start.top,
                 SWP_NOZORDER);
    builder.settle();
}

bool hasStyle(HWND window, DWORD style) {
    return (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & style) == style;
}

// The frame's children with their ids and styles, and the toolbar's
// buttons in order: separator, New, Open, Save, separator, Compile Project.
void checkFrameChildren() {
    checks.check(hasStyle(builder.frame, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN), "frame style");
    checks.equal(GetDlgCtrlID(builder.mdiClient), 1, "MDI client id");
    checks.check(hasStyle(builder.mdiClient, 0x52800001), "MDI client style");
    checks.equal(GetDlgCtrlID(builder.statusBar), 2, "status bar id");
    checks.check(hasStyle(builder.statusBar, 0x54000013), "status bar style");
    checks.equal(GetDlgCtrlID(builder.toolbar), 128, "toolbar id");
    checks.check(hasStyle(builder.toolbar, 0x54800104), "toolbar style");
    RECT toolbar{};
    GetWindowRect(builder.toolbar, &toolbar);
    checks.equal(static_cast<int>(toolbar.bottom - toolbar.top), 30, "toolbar height");

    const struct {
        int command;
        int image;
    } expected[] = {{0, 0}, {IDM_NEW, 0}, {IDM_OPEN, 1}, {IDM_SAVE, 2}, {0, 0}, {IDM_COMPILE, 3}};
    checks.equal(static_cast<int>(builder.send(builder.toolbar, TB_BUTTONCOUNT)), 6, "toolbar: six buttons");
    RemoteBuffer buffer(builder.process(), sizeof(TBBUTTON));
    for (int i = 0; i < 6; ++i) {
        TBBUTTON button{};
        builder.send(builder.toolbar, TB_GETBUTTON, i, buffer.param());
        buffer.read(&button, sizeof button);
        std::string name = "toolbar button " + std::to_string(i + 1);
        if (expected[i].command == 0) {
            checks.check((button.fsStyle & TBSTYLE_SEP) != 0, name + " is a separator");
        } else {
            checks.equal(button.idCommand, expected[i].command, name + ": command");
            checks.equal(button.iBitmap, expected[i].image, name + ": image");
        }
    }
}

// New, then Cancel in the version dialog: no project window.
void cancelNewProject() {
    size_t before = builder.children().size();
    builder.postCommand(IDM_NEW);
    HWND dialog = waitTopLevel(builder.processId(), "Select Project Version");
    if (!checks.check(dialog != nullptr, "New shows the version dialog")) return;
    checks.equal(windowText(GetDlgItem(dialog, IDC_JDK11)), std::string("JDK 1.1"), "version dialog: JDK 1.1");
    checks.equal(windowText(GetDlgItem(dialog, IDC_JDK20)), std::string("JDK 2.0"), "version dialog: JDK 2.0");
    postClick(GetDlgItem(dialog, IDCANCEL));
    checks.check(eventually([&] { return !IsWindow(dialog); }), "Cancel closes the version dialog");
    builder.settle();
    checks.equal(builder.children().size(), before, "Cancel in the version dialog creates no project");
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

    checkFrameChildren();
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
    checks.equal(toolTipOf(2), std::string("Opens an existing project"), "tool tip of Open");
    checks.equal(toolTipOf(5), std::string("Compiles Caskit project"), "tool tip of Compile Project");
    checkStatusFollowsFrameWidth();
    cancelNewProject();
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
    builder.postCommand(IDM_ABOUT);
    about = waitTopLevel(builder.processId(), "About Caskit Professional");
    if (checks.check(about != nullptr, "About box appears again")) {
        PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // Esc
        checks.check(eventually([&] { return !IsWindow(about); }), "About closes with Cancel");
    }
}

}  // namespace scenarios

namespace scenarios {

// Where WinHelp fails, F1 opens the HTML guide beside Caskit2.exe at the
// page's section (the browser is a stand-in that records its command
// line), and Help Topics opens it at the top. The guide has a section for
// every help context.
void helpInBrowser(HWND window) {
    std::string folder = gExe.substr(0, gExe.rfind('\\') + 1);
    std::string guide = readFile(folder + "Caskit.html");
    checks.check(!guide.empty(), "Caskit.html is installed beside Caskit2.exe");
    for (int context : {1, 3, 4, 5, 6, 7, 8, 9, 10}) {
        std::string anchor = "id=\"help-" + std::to_string(context) + "\"";
        checks.check(contains(guide, anchor), "Caskit.html has the section " + anchor);
    }
    std::string url = "\"file:///" + folder + "Caskit.html";
    for (char& c : url) {
        if (c == '\\') c = '/';
    }
    useBrowserStandin(true);
    gHelp.fail = true;
    const int helpIds[] = {1, 3, 4, 5, 6, 7, 8, 9};
    for (int i = 0; i < 8; ++i) {
        builder.selectTab(window, i);
        HWND page = builder.visiblePage(window);
        size_t before = browserCalls().size();
        int winHelpCalls = gHelp.calls;
        PostMessageA(page, WM_KEYDOWN, VK_F1, MAKELPARAM(1, 0x3B));  // F1 goes through the frame's loop
        bool opened = eventually([&] { return browserCalls().size() > before; }, 15000);
        std::string expected = url + "#help-" + std::to_string(helpIds[i]) + "\"";
        checks.check(gHelp.calls > winHelpCalls, "F1 on tab " + std::to_string(i) + " asks WinHelp first");
        checks.equal(opened ? browserCalls().back() : std::string("<no browser call>"), expected,
                     "F1 on tab " + std::to_string(i) + " opens the guide at its section");
    }
    size_t before = browserCalls().size();
    builder.command(IDM_HELPTOPICS);
    bool opened = eventually([&] { return browserCalls().size() > before; }, 15000);
    checks.equal(opened ? browserCalls().back() : std::string("<no browser call>"), url + "\"",
                 "Help Topics opens the guide at its top");
    gHelp.fail = false;
    useBrowserStandin(false);
    builder.selectTab(window, 0);
}

}  // namespace scenarios
