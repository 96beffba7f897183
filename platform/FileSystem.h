#pragma once
// File operations of the builder and the command-line builder.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Files.h"

namespace platform {

inline File openFile(const std::string& path, File::Mode mode) { return File::open(path.c_str(), mode); }
// The size of an open file; nullopt on failure.
inline std::optional<std::uint64_t> fileSize(const File& file) {
    std::uint64_t bytes = 0;
    if (!file.size(bytes)) return std::nullopt;
    return bytes;
}

bool deleteFile(const std::string& path);
inline bool fileExists(const std::string& path) { return fileExists(path.c_str()); }
// Replaces `target` by `source` (MoveFileExA with MOVEFILE_REPLACE_EXISTING
// / rename), a read-only target too. Where MoveFileExA is not implemented (Windows 95 and 98) the
// old file is renamed to `target` + ".replaced" until the new one is in
// place, so a failure never loses it.
bool replaceFile(const std::string& source, const std::string& target);
// The system's text for the last failure of a platform call (FormatMessageA
// from the system table, neutral language / strerror).
std::string lastErrorText();
// Makes one folder (mkdir / CreateDirectoryA); false on failure.
bool makeFolder(const std::string& path);
// Makes `folder` and every folder above it that is missing. False, with
// `failed` naming the first folder that could not be made (lastErrorText()
// says why).
bool makeFolders(const std::string& folder, std::string& failed);
// Reads a whole file of at most maxSize bytes; nullopt on failure or when larger.
std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxSize);

// Creates a file at `path` that did not exist: fails when anything is
// there, a link too (O_CREAT|O_EXCL|O_NOFOLLOW / CREATE_NEW). Readable by
// the user alone (Linux: mode 0600) when `privately`, else by everyone the
// umask lets read (0644). `taken` tells whether it failed because
// something was there.
File createNewFile(const std::string& path, bool privately, bool& taken);
// Gives the file at `path` the permissions of the file at `model` (Linux:
// its mode bits less set-user-id, set-group-id and sticky; Windows: its
// read-only and hidden attributes). Never through a link at `path`.
bool copyFileMode(const std::string& model, const std::string& path);
// The file that the symbolic link at `path` names (through every link on
// the way); `path` itself when it is no link or names nothing (Windows:
// always).
std::string linkTarget(const std::string& path);

// A file written beside `target` that takes its place only when complete.
// It is created exclusively in the target's folder under a name no other
// process can have chosen, "<target>.<process id>-<n><suffix>" (the next n
// while one is taken), so a link or a file planted there is never written
// through and two runs never share a temporary. Until commit() it is only
// the temporary, which the destructor removes: a failure leaves the target
// as it was.
class ReplacementFile {
public:
    ReplacementFile() = default;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    // False with `problem()` set: nothing could be created.
    bool create(const std::string& target, const char* suffix);
    const std::string& path() const { return path_; }
    // The temporary, open for writing (it may be closed and reopened by
    // path).
    File& file() { return file_; }
    // Closes the file and moves it over the target, which keeps the mode
    // it had (a new target gets 0644 less the umask). False with
    // `problem()` set; the temporary is then removed.
    bool commit();
    const std::string& problem() const { return problem_; }

private:
    std::string target_, path_, problem_;
    File file_;
    bool replacesFile_ = false;
};

// An advisory lock on a file for one read, change and write, held until
// destroyed: another process's lock on the same file makes lock() wait.
// Linux: flock on the file; writers replace the file under the lock, so a
// lock taken on a file the path no longer names is dropped and taken again
// on the new one, and whoever holds it reads what the previous holder
// wrote. Windows: a named mutex of the file's full path (letter case
// ignored), since a file held open cannot be replaced there; two spellings
// of one file (a short name, a link) are two locks.
class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();
    // False (lastErrorText() says why) when the lock cannot be taken (on
    // Linux: the file cannot be opened).
    bool lock(const std::string& path);

private:
    File file_;
    void* mutex_ = nullptr;
};

}  // namespace platform
