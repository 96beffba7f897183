#include "platform/Files.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

File File::open(const char* path, Mode mode) {
    int flags = O_RDONLY;
    switch (mode) {
    case Mode::ReadShared:
    case Mode::ReadExclusive: flags = O_RDONLY; break;
    case Mode::CreateAlways: flags = O_RDWR | O_CREAT | O_TRUNC; break;
    case Mode::Append: flags = O_WRONLY | O_CREAT | O_APPEND; break;
    case Mode::AppendPrivate: flags = O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW; break;
    case Mode::Locked:
    case Mode::LockedWait: flags = O_RDWR | O_CREAT; break;
    }
    File f;
    if (path[0] == '\0') {
        errno = ENOENT;
        return f;
    }
    // Without blocking: a FIFO or device planted where a file is expected
    // is refused below instead of holding the open up.
    int fd = ::open(path, flags | O_CLOEXEC | O_NONBLOCK, mode == Mode::AppendPrivate ? 0600 : 0644);
    if (fd >= 0) {
        struct stat st;
        int error = 0;
        if (fstat(fd, &st) != 0)
            error = errno;
        else if (!S_ISREG(st.st_mode))
            error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        else if (mode == Mode::AppendPrivate && (st.st_nlink != 1 || st.st_uid != geteuid()))
            error = st.st_nlink != 1 ? EMLINK : EPERM;
        else if (mode >= Mode::Locked && flock(fd, mode == Mode::Locked ? LOCK_EX | LOCK_NB : LOCK_EX) != 0)
            error = errno;  // EWOULDBLOCK while another process holds the lock
        if (error) {
            ::close(fd);
            errno = error;
            return f;
        }
        f.handle_ = fd;
    }
    return f;
}

// The refusals above chose their errno for its text: ELOOP (a symbolic
// link), EPERM (another user's file), EMLINK (more than one link).
const char* lastOpenProblem() { return strerror(errno); }

bool File::size(uint64_t& bytes) const {
    struct stat st;
    if (!isOpen() || fstat(static_cast<int>(handle_), &st) != 0) return false;
    bytes = static_cast<uint64_t>(st.st_size);
    return true;
}

bool File::seek(uint64_t offset) {
    return isOpen() && lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

long long File::read(void* buffer, size_t n) {
    if (!isOpen()) return -1;
    size_t total = 0;
    while (total < n) {
        ssize_t got = ::read(static_cast<int>(handle_), static_cast<char*>(buffer) + total, n - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        total += static_cast<size_t>(got);
    }
    return static_cast<long long>(total);
}

bool File::write(const void* data, size_t n) {
    if (!isOpen()) return false;
    size_t total = 0;
    while (total < n) {
        ssize_t put = ::write(static_cast<int>(handle_), static_cast<const char*>(data) + total, n - total);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        total += static_cast<size_t>(put);
    }
    return true;
}

bool File::flush() { return isOpen() && fsync(static_cast<int>(handle_)) == 0; }

bool File::close() {
    if (!isOpen()) return true;
    int rc = ::close(static_cast<int>(handle_));
    handle_ = kInvalid;
    return rc == 0;
}

bool createAndDeleteHiddenFile(const char* path) {
    int fd = ::open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(path);
    return true;
}

bool fileExists(const char* path) {
    struct stat st;
    return ::stat(path, &st) == 0;
}

bool fileStamp(const char* path, FileStamp& stamp) {
    struct stat st;
    if (::stat(path, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp.size = static_cast<uint64_t>(st.st_size);
    stamp.written = static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000000u + static_cast<uint64_t>(st.st_mtim.tv_nsec);
    stamp.changed = static_cast<uint64_t>(st.st_ctim.tv_sec) * 1000000000u + static_cast<uint64_t>(st.st_ctim.tv_nsec);
    stamp.identity = static_cast<uint64_t>(st.st_ino) ^ (static_cast<uint64_t>(st.st_dev) << 40);
    return true;
}

bool renameFile(const char* from, const char* to) { return ::rename(from, to) == 0; }

bool removeFile(const char* path) { return ::unlink(path) == 0; }

bool ensureFolder(const char* path) {
    struct stat st;
    return ::mkdir(path, 0700) == 0 || (::stat(path, &st) == 0 && S_ISDIR(st.st_mode));
}

}  // namespace platform
