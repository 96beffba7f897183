#include "platform/Files.h"
#include "platform/Text.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace platform {

File File::open(const char* path, Mode mode) {
    int flags = static_cast<int>(mode) & static_cast<int>(Mode::NoLink) ? O_NOFOLLOW : 0;
    mode = static_cast<Mode>(static_cast<int>(mode) & ~static_cast<int>(Mode::NoLink));
    switch (mode) {
    case Mode::ReadShared:
    case Mode::ReadExclusive:
    case Mode::NoLink: flags |= O_RDONLY; break;
    case Mode::CreateAlways: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case Mode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW; break;
    case Mode::Append: flags |= O_WRONLY | O_CREAT | O_APPEND; break;
    case Mode::AppendPrivate: flags |= O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW; break;
    case Mode::Locked:
    case Mode::LockedWait: flags |= O_RDWR | O_CREAT; break;
    }
    File f;
    if (path[0] == '\0') {
        errno = ENOENT;
        return f;
    }
    // Without blocking: a FIFO or device planted where a file is expected
    // is refused below instead of holding the open up.
    const bool privately = mode == Mode::AppendPrivate || mode == Mode::CreateNew;
    int fd = ::open(path, flags | O_CLOEXEC | O_NONBLOCK, privately ? 0600 : 0644);
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

uint64_t stampTimeNow() {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

bool renameFile(const char* from, const char* to) { return ::rename(from, to) == 0; }

bool removeFile(const char* path) { return ::unlink(path) == 0; }

bool ensureFolder(const char* path) {
    struct stat st;
    return ::mkdir(path, 0700) == 0 || (::stat(path, &st) == 0 && S_ISDIR(st.st_mode));
}

// The folder above is looked at through its links (a cache folder
// elsewhere is fine), the folder itself not.
bool ensurePrivateFolder(const char* path, const char*& problem) {
    ::mkdir(path, 0700);
    struct stat st, above;
    const uid_t user = geteuid();
    const char* slash = strrchr(path, '/');
    Text parent(path, slash && slash > path ? static_cast<size_t>(slash - path) : 1);
    problem = nullptr;
    if (::lstat(path, &st) != 0 || ::stat(parent.c_str(), &above) != 0)
        problem = "cannot be made";
    else if (S_ISLNK(st.st_mode))
        problem = "is a link";
    else if (!S_ISDIR(st.st_mode))
        problem = "is no folder";
    else if (st.st_uid != user)
        problem = "belongs to another user";
    else if (st.st_mode & 022)
        problem = "can be written by others";
    else if ((above.st_uid != user && above.st_uid != 0) || ((above.st_mode & 022) && !(above.st_mode & S_ISVTX)))
        problem = "is in a folder others can change";
    return !problem;
}

}  // namespace platform
