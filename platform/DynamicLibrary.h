#pragma once
// A loaded shared library (LoadLibraryA / dlopen), released on destruction.

#include "platform/Text.h"

namespace platform {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    explicit DynamicLibrary(void* handle) : handle_(handle) {}
    DynamicLibrary(DynamicLibrary&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    ~DynamicLibrary() { reset(); }

    explicit operator bool() const { return handle_ != nullptr; }
    // Address of an exported function (GetProcAddress / dlsym), or null.
    void* symbol(const char* name) const;
    // FreeLibrary / dlclose now.
    void reset();
    // Keeps the library loaded for the life of the process.
    void release() { handle_ = nullptr; }

private:
    void* handle_ = nullptr;
};

// LoadLibraryA(path) / dlopen(path); an empty handle when it fails.
DynamicLibrary loadLibrary(const char* path);

// The path of the loaded library that holds `address` (a function it
// exports); empty when none does.
Text libraryPathOf(const void* address);

// Why the last loadLibrary failed, in the system's words (dlerror; the
// message of GetLastError's code on Windows).
Text loadFailureText();

}  // namespace platform
