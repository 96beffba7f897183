#include "builder/ui/HandOver.h"

#include <cstring>

#include "builder/ui/FrameWindow.h"

namespace {

constexpr const char* kOpenMarker = "#open#";

char* allocateBlock(std::size_t size) {
    return static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
}

}  // namespace

std::optional<std::string> openPathFromCommandLine(const std::string& commandLine) {
    std::size_t pos = commandLine.find(kOpenMarker);
    if (pos == std::string::npos) return std::nullopt;
    return commandLine.substr(pos + std::strlen(kOpenMarker));
}

char* copyToHandOverBlock(const std::string& text) {
    char* block = allocateBlock(text.size() + 1);
    if (block) std::memcpy(block, text.data(), text.size());
    return block;
}

char* copyHandOverData(const COPYDATASTRUCT* data) {
    if (!data || data->dwData != 0) return nullptr;
    DWORD size = data->lpData ? data->cbData : 0;
    if (size == MAXDWORD) return nullptr;
    char* block = allocateBlock(static_cast<std::size_t>(size) + 1);
    if (block && size) std::memcpy(block, data->lpData, size);
    return block;  // zero-filled: the copy is terminated whatever was sent
}

void freeHandOverBlock(char* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

bool handOverToRunningFrame(const std::optional<std::string>& path) {
    HWND running = FindWindowA(FrameWindow::kClassName, FrameWindow::kTitle);
    if (!running) return false;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    if (path) {
        COPYDATASTRUCT data{};
        data.dwData = 0;
        data.cbData = static_cast<DWORD>(path->size() + 1);
        data.lpData = const_cast<char*>(path->c_str());
        SendMessageA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
    return true;
}
