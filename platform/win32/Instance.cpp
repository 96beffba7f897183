#include <windows.h>

#include "platform/Instance.h"
#include "platform/List.h"
#include "platform/Memory.h"
#include "platform/Process.h"

namespace platform {

namespace {

constexpr ULONG_PTR kHandOverMark = 0x314B5343;  // "CSK1"

HANDLE gMutex = nullptr;
Text gTitle;                // the receiving window's title
HWND gWindow = nullptr;
volatile bool gReleased = false;
List<Text> gQueue;          // received (the window's thread only)
size_t gTaken = 0;          // how many of gQueue have been taken

// The receiving window is found by its title: a class name is known only
// to processes that have registered it (so Wine looks it up).
constexpr char kClass[] = "CaskitInstance";
Text windowTitle(const Text& name) { return "CaskitInstance-" + name; }

// A message-only window (Windows 2000 and later), which needs no display:
// Wine without one refuses every other window. Windows 95 and NT 4.0 know
// no such parent and get a hidden top-level window.
HWND findReceiver(const Text& title) {
    HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, title.c_str());
    return window ? window : FindWindowExA(nullptr, nullptr, nullptr, title.c_str());
}

HWND createReceiver(HWND parent, HINSTANCE instance) {
    return CreateWindowA(kClass, gTitle.c_str(), WS_POPUP, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
}

LRESULT CALLBACK receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (gReleased || !data || data->dwData != kHandOverMark || data->cbData > (1u << 20)) return FALSE;
    gQueue.push_back(Text(static_cast<const char*>(data->lpData), data->cbData));
    // GetMessage handles a sent message within and waits on: a posted one
    // ends its wait.
    PostMessageA(window, WM_NULL, 0, 0);
    return TRUE;
}

struct ThreadStart {
    void (*function)(void*);
    void* context;
};

DWORD WINAPI runThread(LPVOID start) {
    const ThreadStart copy = *static_cast<ThreadStart*>(start);
    releaseMemory(start);
    copy.function(copy.context);
    return 0;
}

BOOL CALLBACK raiseIfOwn(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    return FALSE;
}

}  // namespace

// In the session's namespace where the system has one (Windows 2000 and
// later); the plain name where "Local\" is not understood.
InstanceRole claimInstance(const Text& name) {
    const Text mutexName = "Caskit-" + name;
    HANDLE mutex = CreateMutexA(nullptr, FALSE, ("Local\\" + mutexName).c_str());
    if (!mutex) mutex = CreateMutexA(nullptr, FALSE, mutexName.c_str());
    if (!mutex) return InstanceRole::Unavailable;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return InstanceRole::Later;
    }
    gMutex = mutex;
    gTitle = windowTitle(name);
    return InstanceRole::First;
}

// The first instance's window appears when it starts receiving: until
// then, and while a released one refuses, the window is looked for again.
bool sendHandOver(const Text& name, const Text& message, unsigned milliseconds) {
    const Text title = windowTitle(name);
    const unsigned long start = millisecondClock();
    for (;;) {
        const unsigned long spent = millisecondClock() - start;
        if (spent >= milliseconds) return false;
        if (HWND window = findReceiver(title)) {
            // The first may bring its window to the front (Windows 2000 and later).
            using Allow = BOOL(WINAPI*)(DWORD);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (auto allow = reinterpret_cast<Allow>(
                    reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AllowSetForegroundWindow"))))
                allow(process);
            COPYDATASTRUCT data = {kHandOverMark, static_cast<DWORD>(message.size()),
                                   const_cast<char*>(message.data())};
            DWORD_PTR answer = FALSE;
            if (SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                    static_cast<UINT>(milliseconds - spent), &answer) &&
                answer == TRUE)
                return true;
        }
        Sleep(20);
    }
}

bool receiveHandOver(Text& message) {
    if (!gWindow) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = receive;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        if (gTitle.empty() || !RegisterClassA(&windowClass)) return false;
        gWindow = createReceiver(HWND_MESSAGE, windowClass.hInstance);
        if (!gWindow) gWindow = createReceiver(nullptr, windowClass.hInstance);
        if (!gWindow) return false;
    }
    MSG msg;
    while (gTaken == gQueue.size()) {
        gQueue.clear();
        gTaken = 0;
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return false;
        DispatchMessageA(&msg);
    }
    message = gQueue[gTaken++];
    return true;
}

void releaseInstance() {
    gReleased = true;
    if (gWindow) PostMessageA(gWindow, WM_CLOSE, 0, 0);
    if (gMutex) CloseHandle(gMutex);
    gMutex = nullptr;
}

bool startThread(void (*function)(void*), void* context) {
    ThreadStart* start = static_cast<ThreadStart*>(allocateMemory(sizeof(ThreadStart)));
    start->function = function;
    start->context = context;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, runThread, start, 0, &id);
    if (!thread) {
        releaseMemory(start);
        return false;
    }
    CloseHandle(thread);
    return true;
}

void showOwnWindow() { EnumWindows(raiseIfOwn, 0); }

}  // namespace platform
