#pragma once
// Files opened and closed within one operation.

#include <stddef.h>
#include <stdint.h>

class Text;

namespace platform {

class File {
public:
    enum class Mode {
        ReadShared,     // read; others may read and write (the launcher's own file)
        ReadExclusive,  // read, no sharing, must exist
        CreateAlways,   // read/write, no sharing, created or truncated
        CreateNew,      // read/write, no sharing, created when nothing is there (a link neither),
                        // private to the user (Linux: mode 0600)
        Append,         // write at end, created when missing
        AppendPrivate,  // Append, for a file in a folder others can write: never through a link
                        // (a symbolic link, a reparse point), created private to the user (Linux:
                        // mode 0600), and refused unless it is a regular file of this user (Linux)
                        // with one link; lastOpenProblem() then says why
        Locked,         // read/write, created when missing, held by this process alone until
                        // closed or the process ends: fails while another process holds it
        LockedWait,     // Locked, but waits while another process holds it
        NoLink = 0x40,  // added to another mode: never through a link (a symbolic link, a reparse
                        // point): for files in a folder the user owns whose links the user did not plant
    };

    File() = default;
    File(File&& other) noexcept : handle_(other.handle_) { other.handle_ = kInvalid; }
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() { close(); }

    // Opens regular files only: a folder, a FIFO or a device is refused
    // (on Linux without waiting for a FIFO's writer).
    static File open(const char* path, Mode mode);
    // Takes ownership of a handle the platform opened (-1: none).
    static File adopt(intptr_t handle) {
        File f;
        f.handle_ = handle;
        return f;
    }

    // Gives up ownership of the handle (-1: none); this File is then closed.
    intptr_t release() {
        const intptr_t handle = handle_;
        handle_ = kInvalid;
        return handle;
    }

    bool isOpen() const { return handle_ != kInvalid; }
    // The descriptor or HANDLE, still owned by this File.
    intptr_t handle() const { return handle_; }
    // Size of the file in bytes; false on failure.
    bool size(uint64_t& bytes) const;
    bool seek(uint64_t offset);
    // Reads up to n bytes; returns the count read (short at end of file), -1 on error.
    long long read(void* buffer, size_t n);
    // Reads exactly n bytes; false on error or short read.
    bool readExact(void* buffer, size_t n);
    // Writes all n bytes; false on error or short write.
    bool write(const void* data, size_t n);
    // Any text with data() and size().
    template <typename Bytes>
    bool write(const Bytes& bytes) {
        return write(bytes.data(), bytes.size());
    }
    bool flush();
    bool close();  // false when closing reported an error

private:
    // INVALID_HANDLE_VALUE on Windows, -1 for a file descriptor.
    static constexpr intptr_t kInvalid = -1;
    intptr_t handle_ = kInvalid;
};

constexpr File::Mode operator|(File::Mode a, File::Mode b) {
    return static_cast<File::Mode>(static_cast<int>(a) | static_cast<int>(b));
}

// Why the last File::open on this thread failed, in a few words to follow
// the file's name ("is a link", "belongs to another user", ...).
const char* lastOpenProblem();

// Reads all of `file` (from its start position) into `bytes` when it holds
// at most `most` bytes. False when it cannot be read (a file not open
// too), or when it is larger, which `tooLarge` tells.
bool readSmallFile(File& file, uint64_t most, Text& bytes, bool& tooLarge);

// Creates `path` with CREATE_ALWAYS, no sharing and the hidden attribute,
// closes it and deletes it. False when it could not be created.
bool createAndDeleteHiddenFile(const char* path);

// True when `path` names an existing file or folder.
bool fileExists(const char* path);

// What tells a file's content apart without reading it: its size, when it
// was last written and changed, and which file it is. Linux: times in
// nanoseconds (the change time is the inode's), the identity from the
// inode and device; Windows: times in 100-nanosecond units (the creation
// time stands for the change time), the identity from the file index and
// the volume.
struct FileStamp {
    uint64_t size, written, changed, identity;
};
// The stamp of the file at `path`; false when there is no file there (a
// folder is none).
bool fileStamp(const char* path, FileStamp& stamp);
// The time now in the units of a stamp's times, and a day in them.
uint64_t stampTimeNow();
#ifdef _WIN32
const uint64_t kStampDay = 864000000000ull;
#else
const uint64_t kStampDay = 86400000000000ull;
#endif

// Moves the file `from` to `to` in one step, replacing a file there (a
// read-only one too); false on failure, which leaves both as they were.
bool renameFile(const char* from, const char* to);

// Deletes a file, a read-only one too; false on failure.
bool removeFile(const char* path);

// Makes the folder `path` (not the ones above it) unless it exists; true
// when it exists afterwards. Folders made here are private to the user
// where the system has such rights (Linux: mode 0700).
bool ensureFolder(const char* path);

// Makes the folder `path` like ensureFolder, and tells whether no other
// user can change what is in it. Linux: a folder (not a link) of this user
// that neither group nor others may write, in a folder owned by the user
// or root that others may not write (unless it is sticky). Windows: made
// with the access list it inherits (under the user's profile: the user,
// the system and administrators); an existing one must be no reparse
// point; and never for an elevated process, whose user's
// unelevated processes can write the folder. False with `problem` saying
// why, in a few words to follow the folder's name.
bool ensurePrivateFolder(const char* path, const char*& problem);

}  // namespace platform
