#pragma once
// Read access to keys under HKEY_LOCAL_MACHINE. Linux has no registry:
// every key fails to open there.

#include "platform/Text.h"

namespace platform {

class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(void* handle) : handle_(handle) {}
    RegistryKey(RegistryKey&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { close(); }

    explicit operator bool() const { return handle_ != nullptr; }
    // The value's size is asked first; then size + 1 bytes are read and the
    // text up to the first NUL is the value. False when the value is missing.
    bool readText(const char* valueName, Text& value) const;
    void close();  // RegCloseKey

private:
    void* handle_ = nullptr;
};

// RegOpenKeyA(HKEY_LOCAL_MACHINE, subKey).
RegistryKey openMachineKey(const char* subKey);

}  // namespace platform
