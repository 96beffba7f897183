#pragma once
// "About Caskit Professional" (dialog 127).

#include <windows.h>

class AboutDialog {
public:
    static void show(HINSTANCE instance, HWND owner);

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
