#pragma once
// "CaskitFrame": the builder's MDI frame window with its client, toolbar
// and status bar, and the frame's commands.

#include <windows.h>

class FrameWindow {
public:
    static constexpr const char* kClassName = "CaskitFrame";
    static constexpr const char* kTitle = "Caskit2";
    static bool registerClass(HINSTANCE instance);
    static HWND create(HINSTANCE instance);
    // Greys or enables Save and Compile Project for the active project window.
    static void refreshCommandState();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool onCreate(HWND window);
    static void onSize(int width, int height);
    static bool onCommand(int id);
    static LRESULT onNotify(NMHDR* header);
    static bool onCopyData(HWND window, const COPYDATASTRUCT* data);
    static void onOpenProject(LPARAM block);
    // Closes every project window that agrees; true when none is left.
    static bool closeAll();
    // Asks each project window as Close All does (saving where the user
    // says so) without closing any; false once one refuses.
    static bool askBeforeShutdown();
};
