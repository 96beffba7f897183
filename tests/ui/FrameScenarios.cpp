// The frame on its own: menu and accelerators, file association, toolbar,
// initial command state, status bar, help, About box.

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "CaskitVersion.h"
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

// The menu and the accelerators as the user meets them: item texts, keys,
// and the command ids they send (ids that other programs and the help
// file address).
void checkMenuAndAccelerators() {
    HMODULE image = LoadLibraryExA(gExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!checks.check(image != nullptr, "Caskit2.exe loads as a data file")) return;
    checks.equal(menuResource(image, "Caskit2"),
                 std::string("&File{&New=40001|&Open=40002|Save=40004|-|Compile Project=40007|-|E&xit=40005}|"
                             "&Help{Help Topics=40035|Context Sensitive Help=40036|-|About Caskit2=40006}"),
                 "menu \"Caskit2\": items, texts and ids");
    checks.equal(acceleratorResource(image, "MdiAccel"),
                 std::string("VNC:67=40007|VNC:78=40001|VNC:79=40002|VNC:83=40004|VN:112=40036|VNS:115=40030|"
                             "VNS:116=40031"),
                 "accelerators: Ctrl+C, Ctrl+N, Ctrl+O, Ctrl+S, F1, Shift+F4, Shift+F5");
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

// The toolbar's buttons in order: separator, New, Open, Save, separator,
// Compile Project.
void checkToolbarButtons() {
    const int expected[] = {0, IDM_NEW, IDM_OPEN, IDM_SAVE, 0, IDM_COMPILE};
    checks.equal(static_cast<int>(builder.send(builder.toolbar, TB_BUTTONCOUNT)), 6, "toolbar: six buttons");
    RemoteBuffer buffer(builder.process(), sizeof(TBBUTTON));
    for (int i = 0; i < 6; ++i) {
        TBBUTTON button{};
        builder.send(builder.toolbar, TB_GETBUTTON, i, buffer.param());
        buffer.read(&button, sizeof button);
        std::string name = "toolbar button " + std::to_string(i + 1);
        if (expected[i] == 0) {
            checks.check((button.fsStyle & TBSTYLE_SEP) != 0, name + " is a separator");
        } else {
            checks.equal(button.idCommand, expected[i], name + ": command");
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

// Moves the frame to (x, y), opens the About box and answers where it
// appeared (empty when it did not).
RECT aboutBoxWithFrameAt(int x, int y) {
    SetWindowPos(builder.frame, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    builder.postCommand(IDM_ABOUT);
    RECT box{};
    HWND about = waitTopLevel(builder.processId(), "About Caskit Professional");
    if (!checks.check(about != nullptr, "About box appears with the frame at " + std::to_string(x) + "," +
                                            std::to_string(y))) {
        return box;
    }
    GetWindowRect(about, &box);
    PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    eventually([&] { return !IsWindow(about); });
    return box;
}

// A dialog opens centred over the frame, but never beyond the work area:
// with the frame mostly off the screen it keeps to the nearest edges.
void checkDialogCentring() {
    RECT frame{}, work{};
    GetWindowRect(builder.frame, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;

    RECT box = aboutBoxWithFrameAt(work.left + 10, work.top + 10);
    const int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
    checks.equal(static_cast<int>(box.left), static_cast<int>(work.left) + 10 + (width - boxWidth) / 2,
                 "About box centred across the frame");
    checks.equal(static_cast<int>(box.top), static_cast<int>(work.top) + 10 + (height - boxHeight) / 2,
                 "About box centred down the frame");

    box = aboutBoxWithFrameAt(work.left - width + 20, work.top - height + 20);
    checks.check(box.left == work.left && box.top == work.top,
                 "frame off the top left: the About box keeps to the work area's top left corner");
    box = aboutBoxWithFrameAt(work.right - 20, work.bottom - 20);
    checks.check(box.right == work.right && box.bottom == work.bottom,
                 "frame off the bottom right: the About box keeps to the work area's bottom right corner");
    SetWindowPos(builder.frame, nullptr, frame.left, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

namespace scenarios {

void frameAtStart() {
    checkMenuAndAccelerators();
    checks.equal(registryDefault(".csk"), std::string("Caskit Project"), "association: .csk");
    std::string command = registryDefault("Caskit Project\\shell\\open\\command");
    std::string expected = "\"" + gExe + "\" #open#%1";
    checks.check(lstrcmpiA(command.c_str(), expected.c_str()) == 0,
                 "association: open command quotes the builder's path (" + command + ")");

    checkToolbarButtons();
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
    checks.equal(toolTipOf(3), std::string("Save a Caskit project"), "tool tip of Save (greyed)");
    checks.equal(toolTipOf(5), std::string("Compiles Caskit project"), "tool tip of Compile Project");
    checkStatusFollowsFrameWidth();
    cancelNewProject();
    checkDialogCentring();
    checks.screenshot("frame");

    builder.postCommand(IDM_ABOUT);
    HWND about = waitTopLevel(builder.processId(), "About Caskit Professional");
    if (checks.check(about != nullptr, "About box appears")) {
        std::string texts;
        for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            texts += windowText(child) + "|";
        }
        checks.check(contains(texts, "|Caskit Professional|") && contains(texts, "|" CASKIT_ABOUT_VERSION "|"),
                     "About texts: " + texts);
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
    for (int context : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11}) {
        std::string anchor = "id=\"help-" + std::to_string(context) + "\"";
        checks.check(contains(guide, anchor), "Caskit.html has the section " + anchor);
    }
    std::string url = "\"file:///" + folder + "Caskit.html";
    for (char& c : url) {
        if (c == '\\') c = '/';
    }
    useBrowserStandin(true);
    gHelp.fail = true;
    const int tabs = builder.tabCount(window);
    for (int i = 0; i < tabs; ++i) {
        builder.selectTab(window, i);
        HWND page = builder.visiblePage(window);
        const std::string kind = builder.kindOf(window, page);
        size_t before = browserCalls().size();
        int winHelpCalls = gHelp.calls;
        PostMessageA(page, WM_KEYDOWN, VK_F1, MAKELPARAM(1, 0x3B));  // F1 goes through the frame's loop
        bool opened = eventually([&] { return browserCalls().size() > before; }, 15000);
        std::string expected = url + "#help-" + std::to_string(helpIdOf(kind)) + "\"";
        checks.check(gHelp.calls > winHelpCalls, "F1 on tab " + std::to_string(i) + " asks WinHelp first");
        checks.equal(opened ? browserCalls().back() : std::string("<no browser call>"), expected,
                     "F1 on tab " + std::to_string(i) + " (" + kind + ") opens the guide at its section");
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
