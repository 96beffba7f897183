#include "builder/ui/Centring.h"

namespace {

// Centres a span of `size` over [ownerStart, ownerEnd), kept in [low, high).
int centredStart(int ownerStart, int ownerEnd, int size, int low, int high) {
    int start = ownerStart + ((ownerEnd - ownerStart) - size) / 2;
    if (start < low) {
        start = low;
    } else if (start + size > high) {
        start = high - size;
    }
    return start;
}

}  // namespace

void centreWindow(HWND window, HWND over) {
    RECT self{};
    RECT owner{};
    GetWindowRect(window, &self);
    if (!over || !GetWindowRect(over, &owner)) owner = self;
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    int width = self.right - self.left;
    int height = self.bottom - self.top;
    int x = centredStart(owner.left, owner.right, width, work.left, work.right);
    int y = centredStart(owner.top, owner.bottom, height, work.top, work.bottom);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}
