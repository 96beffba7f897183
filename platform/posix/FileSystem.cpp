#include "platform/FileSystem.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool deleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool makeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool replaceFile(const std::string& source, const std::string& target) {
    return ::rename(source.c_str(), target.c_str()) == 0;
}

File createNewFile(const std::string& path, bool privately, bool& taken) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, privately ? 0600 : 0644);
    taken = fd < 0 && errno == EEXIST;
    return File::adopt(fd);
}

bool copyFileMode(const std::string& model, const std::string& path) {
    struct stat st;
    if (::stat(model.c_str(), &st) != 0) return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    const bool ok = fchmod(fd, st.st_mode & 0777) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

std::string linkTarget(const std::string& path) {
    struct stat st;
    char resolved[PATH_MAX];
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode) || !realpath(path.c_str(), resolved)) return path;
    return resolved;
}

FileLock::~FileLock() = default;

bool FileLock::lock(const std::string& path) {
    for (;;) {
        file_ = File::adopt(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        struct stat held, named;
        const int fd = static_cast<int>(file_.handle());
        if (fd < 0 || flock(fd, LOCK_EX) != 0 || fstat(fd, &held) != 0) return false;
        if (::stat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino)
            return true;
    }
}

std::string lastErrorText() { return strerror(errno); }

}  // namespace platform
