#pragma once
// A move-only owner for Win32 handles: the handle is released exactly once,
// on destruction or reset, whatever path the code takes.

#include <windows.h>

template <typename T, typename Releaser>
class Owned {
public:
    Owned() = default;
    explicit Owned(T handle) : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != T(); }
    T release() {
        T handle = handle_;
        handle_ = T();
        return handle;
    }
    void reset(T handle = T()) {
        if (handle_ != T()) Releaser()(handle_);
        handle_ = handle;
    }

private:
    T handle_ = T();
};

struct KernelHandleReleaser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
struct IconReleaser {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct GdiObjectReleaser {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct RegistryKeyReleaser {
    void operator()(HKEY h) const { RegCloseKey(h); }
};
struct WindowReleaser {
    void operator()(HWND h) const { DestroyWindow(h); }
};

using OwnedHandle = Owned<HANDLE, KernelHandleReleaser>;  // null means none (mutexes, events)
using OwnedIcon = Owned<HICON, IconReleaser>;
using OwnedBitmap = Owned<HGDIOBJ, GdiObjectReleaser>;
using OwnedKey = Owned<HKEY, RegistryKeyReleaser>;
// A window that is not a child of its owner (a pop-up such as a tool tip):
// nothing else ends it with the owner's child that uses it.
using OwnedWindow = Owned<HWND, WindowReleaser>;
