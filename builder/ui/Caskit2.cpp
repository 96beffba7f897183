// The builder's entry: platform check, file association, single instance
// with hand-over to a running frame, the frame, and the message loop.

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <optional>
#include <string>

#include "builder/ui/FileAssociation.h"
#include "builder/ui/FrameState.h"
#include "builder/ui/FrameWindow.h"
#include "builder/ui/HandOver.h"
#include "builder/ui/KeyboardRouting.h"
#include "builder/ui/Owned.h"
#include "builder/ui/ProjectWindow.h"
#include "builder/ui/PageContainer.h"
#include "builder/ui/resource.h"
#include "platform/PlatformCode.h"

namespace {

bool platformSupported() {
    unsigned code = platform::platformCode();
    return code == platform::kPlatformWin95 || code == platform::kPlatformWin98 || code == platform::kPlatformNt4;
}

// Serialises simultaneous starts from the creation of the mutex until the
// frame exists (or the path has been handed over).
class StartUpLock {
public:
    StartUpLock() : mutex_(CreateMutexA(nullptr, FALSE, "CaskitFrame")) {
        if (!mutex_) return;  // go on unserialised
        if (GetLastError() == ERROR_ALREADY_EXISTS) Sleep(1000);
        WaitForSingleObject(mutex_.get(), INFINITE);
        owned_ = true;
    }
    StartUpLock(const StartUpLock&) = delete;
    StartUpLock& operator=(const StartUpLock&) = delete;
    ~StartUpLock() { release(); }
    void release() {
        if (owned_) ReleaseMutex(mutex_.get());
        owned_ = false;
        mutex_.reset();
    }

private:
    OwnedHandle mutex_;
    bool owned_ = false;
};

int messageLoop(HWND frameWindow, HWND mdiClient, HINSTANCE instance) {
    HACCEL accelerators = LoadAcceleratorsA(instance, "MdiAccel");
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateMDISysAccel(mdiClient, &msg)) continue;
        if (accelerators && !isCopyInEdit(msg) && TranslateAcceleratorA(frameWindow, accelerators, &msg)) continue;
        if (!switchTabByKey(msg) && !offerToVisiblePage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        FrameWindow::refreshCommandState();
    }
    return static_cast<int>(msg.wParam);
}

int runBuilder(HINSTANCE instance, HINSTANCE previous, const std::string& commandLine, int show) {
    frame::state().instance = instance;
    if (!platformSupported()) {
        MessageBoxA(nullptr, "Caskit will not run on this platform, it requires the modern user interface.",
                    "Execution Error", MB_OK);
        return -1;
    }
    writeFileAssociation();
    InitCommonControls();

    StartUpLock lock;
    std::optional<std::string> path = openPathFromCommandLine(commandLine);
    if (handOverToRunningFrame(path)) return 0;

    if (!previous) FrameWindow::registerClass(instance);
    ProjectWindow::registerClass(instance);
    PageContainer::registerClass(instance);
    HWND frameWindow = FrameWindow::create(instance);
    if (!frameWindow) return -1;
    ShowWindow(frameWindow, show);
    UpdateWindow(frameWindow);
    if (path) queueOpenProject(frameWindow, copyToHandOverBlock(*path));
    lock.release();

    int exitCode = messageLoop(frameWindow, frame::state().mdiClient, instance);
    ProjectWindow::unregisterClass(instance);
    PageContainer::unregisterClass(instance);
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    try {
        return runBuilder(instance, previous, commandLine ? commandLine : "", show);
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), "Execution Error", MB_OK | MB_ICONERROR);
    } catch (...) {
    }
    return -1;
}
