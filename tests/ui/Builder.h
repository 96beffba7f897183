#pragma once
// The running Caskit2.exe as the driver sees it: its process, its frame
// and the frame's children, and the operations a user's actions amount to.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/Remote.h"

struct Page {
    HWND window;
    std::string kind;  // "command", "classpath", ... from its controls
};

class Builder {
public:
    bool start(const std::string& exe, const std::string& folder);
    HANDLE process() const { return process_.hProcess; }
    DWORD processId() const { return process_.dwProcessId; }
    bool running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    // Exit code once ended (waits up to `ms`), or -999.
    int exitCode(int ms);

    HWND frame = nullptr;
    HWND mdiClient = nullptr;
    HWND toolbar = nullptr;
    HWND statusBar = nullptr;

    // WM_COMMAND to the frame: sent (returns when done) or posted (for
    // commands that open a modal dialog).
    void command(int id);
    void postCommand(int id);
    // Waits until the frame's message loop has dispatched every message
    // posted so far and run the command-state refresh after them.
    void settle();

    std::string statusPart(int part);
    int toolbarState(int command);
    HWND activeChild();
    std::vector<HWND> children();

    // Project window parts.
    HWND tabs(HWND projectWindow);
    int tabCount(HWND projectWindow);
    std::string tabText(HWND projectWindow, int index);
    int currentTab(HWND projectWindow);
    // TCN_SELCHANGING, TCM_SETCURSEL, TCN_SELCHANGE as a click on a tab does.
    bool selectTab(HWND projectWindow, int index);
    std::vector<Page> pages(HWND projectWindow);
    HWND visiblePage(HWND projectWindow);
    // The kind of one of the window's pages ("" when it is none of them).
    std::string kindOf(HWND projectWindow, HWND page);
    HWND pageOf(HWND projectWindow, const std::string& kind);
    LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

private:
    PROCESS_INFORMATION process_{};
};
