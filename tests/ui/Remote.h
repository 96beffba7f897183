#pragma once
// Driving windows of another process: memory inside that process for the
// messages that carry pointers (tab items, status texts, notifications),
// and small helpers to find, read and click controls.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

// A block of memory inside the driven process.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size)
        : process_(process), size_(size),
          address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    void* address() const { return address_; }
    LPARAM param(std::size_t offset = 0) const {
        return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset);
    }
    bool write(const void* data, std::size_t n, std::size_t offset = 0) {
        SIZE_T done = 0;
        return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, n, &done) && done == n;
    }
    bool read(void* data, std::size_t n, std::size_t offset = 0) const {
        SIZE_T done = 0;
        return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, n, &done) && done == n;
    }
    std::string readText(std::size_t offset = 0) const {
        std::string text(size_ - offset, '\0');
        if (!read(&text[0], text.size(), offset)) return std::string();
        return text.substr(0, text.find('\0'));
    }

private:
    HANDLE process_;
    std::size_t size_;
    void* address_;
};

// Polls `condition` every 50 ms until it holds or `ms` have passed.
inline bool eventually(const std::function<bool()>& condition, int ms = 20000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

inline std::string className(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// WM_GETTEXT (the system carries the text across processes).
inline std::string windowText(HWND window) {
    char text[2048] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 10000, nullptr);
    return text;
}

inline void setWindowText(HWND window, const std::string& text) {
    SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 10000, nullptr);
}

// A click as the button itself performs it; posted, so a modal dialog that
// the click opens never blocks the driver.
inline void postClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

struct FindById {
    int id;
    bool visibleOnly;
    HWND found;
};

inline BOOL CALLBACK findByIdProc(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<FindById*>(param);
    if (GetDlgCtrlID(window) == search->id && (!search->visibleOnly || IsWindowVisible(window))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Any descendant with control id `id`.
inline HWND descendant(HWND parent, int id, bool visibleOnly = false) {
    FindById search{id, visibleOnly, nullptr};
    EnumChildWindows(parent, findByIdProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct FindTopLevel {
    DWORD process;
    std::string caption;
    HWND found;
};

inline BOOL CALLBACK findTopLevelProc(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<FindTopLevel*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window)) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        if (search->caption == text) {
            search->found = window;
            return FALSE;
        }
    }
    return TRUE;
}

// A visible top-level window of `process` with exactly this caption.
inline HWND topLevel(DWORD process, const std::string& caption) {
    FindTopLevel search{process, caption, nullptr};
    EnumWindows(findTopLevelProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND waitTopLevel(DWORD process, const std::string& caption, int ms = 20000) {
    HWND found = nullptr;
    eventually([&] { return (found = topLevel(process, caption)) != nullptr; }, ms);
    return found;
}
