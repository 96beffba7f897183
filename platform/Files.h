#pragma once
// Files opened and closed within one operation.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class File {
public:
    enum class Mode {
        ReadShared,     // read; others may read and write (the launcher's own file)
        ReadExclusive,  // read, no sharing, must exist
        CreateAlways,   // read/write, no sharing, created or truncated
        Append,         // write at end, created when missing
    };

    File() = default;
    File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = kInvalid; }
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() { close(); }

    static File open(const std::string& path, Mode mode);

    bool isOpen() const { return handle_ != kInvalid; }
    // Size of the file in bytes, nullopt on failure.
    std::optional<std::uint64_t> size() const;
    bool seek(std::uint64_t offset);
    // Reads up to n bytes; returns the count read (short at end of file), -1 on error.
    long long read(void* buffer, std::size_t n);
    // Reads exactly n bytes; false on error or short read.
    bool readExact(void* buffer, std::size_t n);
    // Writes all n bytes; false on error or short write.
    bool write(const void* data, std::size_t n);
    bool write(const std::string& s) { return write(s.data(), s.size()); }
    bool flush();
    bool close();  // false when closing reported an error

private:
    // INVALID_HANDLE_VALUE on Windows, -1 for a file descriptor.
    static constexpr std::intptr_t kInvalid = -1;
    std::intptr_t handle_ = kInvalid;
};

// Creates `path` with CREATE_ALWAYS, no sharing and the hidden attribute,
// closes it and deletes it. False when it could not be created.
bool createAndDeleteHiddenFile(const std::string& path);

bool deleteFile(const std::string& path);
bool fileExists(const std::string& path);
// Replaces `target` by `source` (MoveFileExA with MOVEFILE_REPLACE_EXISTING
// / rename). Where MoveFileExA is not implemented (Windows 95 and 98) the
// old file is renamed to `target` + ".replaced" until the new one is in
// place, so a failure never loses it.
bool replaceFile(const std::string& source, const std::string& target);
// The system's text for the last failure of a platform call (FormatMessageA
// from the system table, neutral language / strerror).
std::string lastErrorText();
// Reads a whole file of at most maxSize bytes; nullopt on failure or when larger.
std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxSize);

}  // namespace platform
