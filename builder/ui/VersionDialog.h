#pragma once
// "Select Project Version" (dialog 104): 1 for JDK 1.1, 2 for JDK 2.0,
// 0 when cancelled.

#include <windows.h>

class VersionDialog {
public:
    static int ask(HINSTANCE instance, HWND owner);

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static void onInitDialog(HWND dialog);
    static void onCommand(HWND dialog, int id);
};
