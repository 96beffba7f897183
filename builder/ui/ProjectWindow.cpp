#include "builder/ui/ProjectWindow.h"

#include <commctrl.h>

#include <memory>

#include "builder/engine/Project.h"
#include "builder/ui/BoxReporter.h"
#include "builder/ui/EngineCalls.h"
#include "builder/ui/FrameState.h"
#include "builder/ui/PageSet.h"
#include "builder/ui/PageContainer.h"
#include "builder/ui/resource.h"
#include "platform/PlatformCode.h"

bool ProjectWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = sizeof(ProjectWindow*);
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROJECT));
    wc.hIconSm = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
}

void ProjectWindow::unregisterClass(HINSTANCE instance) { UnregisterClassA(kClassName, instance); }

HWND ProjectWindow::create(HWND mdiClient, std::unique_ptr<Project>& project, DWORD style) {
    MDICREATESTRUCTA mdi{};
    mdi.szClass = kClassName;
    mdi.szTitle = "";
    mdi.hOwner = frame::state().instance;
    mdi.x = CW_USEDEFAULT;
    mdi.y = CW_USEDEFAULT;
    mdi.cx = 390;
    mdi.cy = 350;
    mdi.style = style;
    mdi.lParam = reinterpret_cast<LPARAM>(&project);
    return reinterpret_cast<HWND>(SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mdi)));
}

ProjectWindow::ProjectWindow(HWND window) : window_(window) {}

ProjectWindow::~ProjectWindow() = default;

ProjectWindow* ProjectWindow::of(HWND window) {
    char className[64] = {};
    if (!window || !GetClassNameA(window, className, sizeof className)) return nullptr;
    if (lstrcmpA(className, kClassName) != 0) return nullptr;
    return reinterpret_cast<ProjectWindow*>(GetWindowLongPtrA(window, 0));
}

HWND ProjectWindow::currentPage() const {
    int current = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
    if (current < 0 || static_cast<std::size_t>(current) >= pages_.size()) return nullptr;
    return pages_[current];
}

void ProjectWindow::updateTitle() {
    std::string name = project_->displayName();
    std::string title = kTitlePrefix + (name.empty() ? std::string("<untitled>") : name);
    SetWindowTextA(window_, title.c_str());
}

bool ProjectWindow::save() {
    frame::setStatusText("Saving " + project_->displayName());
    bool saved = saveProjectSafely(*project_, window_);
    if (saved) updateTitle();
    frame::setStatusReady();
    return saved;
}

void ProjectWindow::compile() {
    if (!saveProjectSafely(*project_, window_)) return;
    updateTitle();  // the save may just have given the project its file
    frame::setStatusText("Compiling " + project_->displayName());
    // What the compile took on its own (the main class from the jar's
    // manifest) stays in the status bar until the next status text.
    BoxReporter reporter(window_);
    const bool compiled = compileSafely(*project_, reporter);
    std::string notices;
    for (const std::string& text : reporter.notes()) notices += (notices.empty() ? "Compiled: " : "; ") + text;
    if (compiled && !notices.empty()) frame::setStatusText(notices);
    else frame::setStatusReady();
}

bool ProjectWindow::onCreate(const CREATESTRUCTA* create) {
    const auto* mdi = static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams);
    auto* source = reinterpret_cast<std::unique_ptr<Project>*>(mdi->lParam);
    if (!source || !*source) return false;
    RECT client{};
    GetClientRect(window_, &client);
    HINSTANCE instance = create->hInstance;
    tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_MULTILINE, 0, 0,
                            client.right, client.bottom, window_, nullptr, instance, nullptr);
    container_ = CreateWindowExA(0, PageContainer::kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                                 client.right, client.bottom, window_, nullptr, instance, nullptr);
    if (!tabs_ || !container_) return false;
    // Taken only once the window can show it: a window that fails before
    // leaves the project with the caller, as create() promises.
    project_ = std::move(*source);
    SetWindowPos(container_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    pages_ = createPageSet(tabs_, container_, *project_, platform::platformCode() == platform::kPlatformNt4);
    if (!pages_.empty()) {
        SendMessageA(tabs_, TCM_SETCURSEL, 0, 0);
        ShowWindow(pages_[0], SW_SHOW);
        fitPages();
    }
    return true;
}

// Grows the window (never shrinks it) until the largest page is wholly
// visible: the window has no sizing border, so a clipped page could not be
// reached otherwise. Width first, since it decides the rows of tabs.
void ProjectWindow::fitPages() {
    int pageWidth = 0;
    int pageHeight = 0;
    for (HWND page : pages_) {
        RECT r{};
        GetWindowRect(page, &r);
        if (r.right - r.left > pageWidth) pageWidth = r.right - r.left;
        if (r.bottom - r.top > pageHeight) pageHeight = r.bottom - r.top;
    }
    for (int pass = 0; pass < 2; ++pass) {
        RECT needed{0, 0, pageWidth, pageHeight};
        SendMessageA(tabs_, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&needed));
        RECT client{};
        GetClientRect(window_, &client);
        int growX = (needed.right - needed.left) - client.right;
        int growY = pass == 0 ? 0 : (needed.bottom - needed.top) - client.bottom;
        if (growX < 0) growX = 0;
        if (growY < 0) growY = 0;
        if (growX == 0 && growY == 0) continue;
        RECT outer{};
        GetWindowRect(window_, &outer);
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + growX, outer.bottom - outer.top + growY,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(window_, &client);
        onSize(client.right, client.bottom);
    }
}

void ProjectWindow::onSize(int width, int height) {
    RECT display{0, 0, width, height};
    SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    HDWP batch = BeginDeferWindowPos(2);
    if (batch) batch = DeferWindowPos(batch, tabs_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    if (batch) {
        batch = DeferWindowPos(batch, container_, nullptr, display.left, display.top, display.right - display.left,
                               display.bottom - display.top, SWP_NOZORDER);
    }
    if (batch) EndDeferWindowPos(batch);
}

LRESULT ProjectWindow::onNotify(const NMHDR* header) {
    if (header->hwndFrom != tabs_) return 0;
    if (header->code == TCN_SELCHANGING) {
        HWND page = currentPage();
        if (!page) return FALSE;
        if (SendMessageA(page, PAGE_VERIFY, 0, 0) != 1) return TRUE;
        ShowWindow(page, SW_HIDE);
        return FALSE;
    }
    if (header->code == TCN_SELCHANGE) {
        if (HWND page = currentPage()) {
            ShowWindow(page, SW_SHOW);
            lastFocus_ = nullptr;
            focusPage();
        }
    }
    return 0;
}

void ProjectWindow::showAdjacentPage(int step) {
    int current = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
    int next = current + step;
    if (current < 0 || next < 0 || static_cast<std::size_t>(next) >= pages_.size()) return;
    if (SendMessageA(pages_[current], PAGE_VERIFY, 0, 0) != 1) return;
    ShowWindow(pages_[current], SW_HIDE);
    SendMessageA(tabs_, TCM_SETCURSEL, next, 0);
    ShowWindow(pages_[next], SW_SHOW);
    lastFocus_ = nullptr;
    focusPage();
}

void ProjectWindow::focusPage() {
    HWND page = currentPage();
    if (!page) return;
    HWND target = lastFocus_ && IsChild(page, lastFocus_) && IsWindowEnabled(lastFocus_) ? lastFocus_ : nullptr;
    if (!target) target = GetNextDlgTabItem(page, nullptr, FALSE);
    if (target) SetFocus(target);
}

void ProjectWindow::onNcActivate(bool active) {
    if (active) {
        frame::setStatusVersion(project_->getProjectVersion());
    } else {
        frame::setStatusVersion(0);
    }
}

bool ProjectWindow::confirmClose() {
    if (!project_->modified) return true;
    int answer = MessageBoxA(window_, "Do you want to save before closing?", "Project Modified", MB_YESNOCANCEL);
    if (answer == IDCANCEL) return false;
    // A save the user asked for but did not complete (Save dialog cancelled,
    // file not writable) keeps the window, so no edit is lost unasked.
    if (answer == IDYES) return saveProjectSafely(*project_, window_);
    return true;
}

void ProjectWindow::onClose() {
    if (!confirmClose()) return;
    HWND next = GetWindow(window_, GW_HWNDNEXT);
    if (next && ProjectWindow::of(next)) BringWindowToTop(next);
    SendMessageA(GetParent(window_), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window_), 0);
}

bool ProjectWindow::onQueryEndSession() { return confirmClose(); }

LRESULT ProjectWindow::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        onSize(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_NOTIFY:
        return onNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_NCACTIVATE:
        onNcActivate(wParam != FALSE);
        break;
    case WM_MDIACTIVATE:
        // Leaving this window: remember where the keyboard was in its page.
        if (reinterpret_cast<HWND>(wParam) == window_) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS: {
        LRESULT result = DefMDIChildProcA(window_, message, wParam, lParam);
        focusPage();
        return result;
    }
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_QUERYENDSESSION:
        return onQueryEndSession() ? TRUE : FALSE;
    case WM_DESTROY:
        frame::setStatusVersion(0);
        break;
    default:
        break;
    }
    return DefMDIChildProcA(window_, message, wParam, lParam);
}

LRESULT CALLBACK ProjectWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_CREATE) {
            auto record = std::unique_ptr<ProjectWindow>(new ProjectWindow(window));
            SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(record.get()));
            ProjectWindow* self = record.release();
            return self->onCreate(reinterpret_cast<const CREATESTRUCTA*>(lParam)) ? 0 : -1;
        }
        auto* self = reinterpret_cast<ProjectWindow*>(GetWindowLongPtrA(window, 0));
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, 0, 0);
            delete self;  // releases the project and the record
            return DefMDIChildProcA(window, message, wParam, lParam);
        }
        if (self) return self->dispatch(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind out of a window procedure; the message is
        // answered as if unhandled.
        if (message == WM_CREATE) return -1;
    }
    return DefMDIChildProcA(window, message, wParam, lParam);
}
