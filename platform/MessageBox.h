#pragma once
// Message boxes (MessageBoxA). On Linux, caption and text go to standard
// error as "caption: text" and the answer is the default button.
// A hook can take over every message: the command-line builder routes them
// to standard error, tests record them.

namespace platform {

using WindowRef = void*;  // HWND on Windows

// MessageBoxA style flags and answers (same values as Win32).
constexpr unsigned kMbOk = 0x0;
constexpr unsigned kMbYesNoCancel = 0x3;
constexpr unsigned kMbYesNo = 0x4;
constexpr unsigned kMbIconWarning = 0x30;
constexpr unsigned kMbIconInformation = 0x40;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

int showMessage(WindowRef owner, const char* text, const char* caption, unsigned style);

// A function that takes over every message while installed.
struct MessageHook {
    int (*show)(void* context, WindowRef owner, const char* text, const char* caption, unsigned style) = nullptr;
    void* context = nullptr;
};
// Installs a hook (one without a function removes it); returns the previous one.
MessageHook setMessageHook(MessageHook hook);

}  // namespace platform
