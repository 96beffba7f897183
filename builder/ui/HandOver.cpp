#include "builder/ui/HandOver.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "builder/ui/FrameWindow.h"
#include "builder/ui/resource.h"

namespace {

constexpr const char* kOpenMarker = "#open#";

// Blocks posted with OPEN_PROJECT and not yet taken back.
std::vector<char*>& queuedBlocks() {
    static std::vector<char*> blocks;
    return blocks;
}

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

bool queueOpenProject(HWND frame, char* block) {
    if (!block) return false;
    try {
        queuedBlocks().push_back(block);
    } catch (...) {
        freeHandOverBlock(block);
        return false;
    }
    if (PostMessageA(frame, OPEN_PROJECT, 0, reinterpret_cast<LPARAM>(block))) return true;
    queuedBlocks().pop_back();
    freeHandOverBlock(block);
    return false;
}

OwnedHandOverBlock claimQueuedBlock(LPARAM value) {
    std::vector<char*>& blocks = queuedBlocks();
    auto found = std::find(blocks.begin(), blocks.end(), reinterpret_cast<char*>(value));
    if (found == blocks.end()) return OwnedHandOverBlock();
    char* block = *found;
    blocks.erase(found);
    return OwnedHandOverBlock(block);
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
