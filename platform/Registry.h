#pragma once
// Read access to the registry: the JDK keys under HKEY_LOCAL_MACHINE the
// launchers' registered-runtime lookup opens, and the keys of both roots
// and both views the runtime search reads and enumerates. Linux has no registry:
// every key fails to open there.

#include <stddef.h>

#include "platform/Text.h"

namespace platform {

enum class RegistryRoot { LocalMachine, CurrentUser };
// On 64-bit Windows a 64-bit and a 32-bit program see different keys
// below SOFTWARE (KEY_WOW64_64KEY, KEY_WOW64_32KEY); on 32-bit Windows
// both views are the same.
enum class RegistryView { Bits64, Bits32 };

// What reading a limited text value found.
enum class ValueStatus { Read, Missing, NotText, TooLong, Unreadable };

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
    // A text value (REG_SZ or REG_EXPAND_SZ, not expanded) of at most
    // `limit` bytes, up to its first NUL: read into a buffer one byte
    // longer than the size asked first, so a value stored without its NUL
    // ends where its data ends. A value that grows between the two reads
    // is Unreadable.
    ValueStatus readLimitedText(const char* valueName, size_t limit, Text& value) const;
    // Name of the subkey at `index` (RegEnumKeyExA); false past the last.
    bool subKeyName(unsigned index, Text& name) const;
    void close();  // RegCloseKey

private:
    void* handle_ = nullptr;
};

// RegOpenKeyA(HKEY_LOCAL_MACHINE, subKey).
RegistryKey openMachineKey(const char* subKey);

// RegOpenKeyExA(root, subKey) for reading and enumerating, in `view`.
RegistryKey openKey(RegistryRoot root, const char* subKey, RegistryView view);

}  // namespace platform
