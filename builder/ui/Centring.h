#pragma once
// Places a window centred over another one, kept inside the work area.

#include <windows.h>

void centreWindow(HWND window, HWND over);
