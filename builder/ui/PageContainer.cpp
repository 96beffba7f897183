#include "builder/ui/PageContainer.h"

bool PageContainer::registerClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    wc.lpszClassName = kClassName;
    wc.hIconSm = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    return RegisterClassExA(&wc) != 0;
}

void PageContainer::unregisterClass(HINSTANCE instance) { UnregisterClassA(kClassName, instance); }

LRESULT CALLBACK PageContainer::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}
