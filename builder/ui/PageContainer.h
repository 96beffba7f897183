#pragma once
// "PropertySheet" (class PageContainer, since the Win32 headers take the
// other name as a macro): the plain container window the pages of a project
// window live in.

#include <windows.h>

class PageContainer {
public:
    static constexpr const char* kClassName = "PropertySheet";
    static bool registerClass(HINSTANCE instance);
    static void unregisterClass(HINSTANCE instance);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
