#include "platform/Instance.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include "platform/Memory.h"
#include "platform/Process.h"

namespace platform {

namespace {

int gLock = -1;
int gListener = -1;

// A folder of this user's own that nobody else may enter.
bool privateFolder(const char* path) {
    struct stat facts;
    return lstat(path, &facts) == 0 && S_ISDIR(facts.st_mode) && facts.st_uid == getuid() &&
           (facts.st_mode & 077) == 0;
}

// $XDG_RUNTIME_DIR when it is the user's own, else caskit-UID in the
// temporary folder, made when missing; empty when neither will do.
Text instanceFolder() {
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && privateFolder(runtime)) return runtime;
    const char* temp = getenv("TMPDIR");
    Text folder = temp && temp[0] == '/' ? temp : "/tmp";
    folder += "/caskit-";
    folder += decimalText(static_cast<unsigned long>(getuid()));
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return Text();
    return privateFolder(folder.c_str()) ? folder : Text();
}

bool socketAddress(const Text& name, sockaddr_un& address) {
    const Text folder = instanceFolder();
    const Text path = folder + "/" + name + ".sock";
    if (folder.empty() || path.size() >= sizeof address.sun_path) return false;
    memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool writeAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = send(fd, bytes, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Waits until `fd` can be read, at most `milliseconds`.
bool readable(int fd, int milliseconds) {
    pollfd entry = {fd, POLLIN, 0};
    int n;
    while ((n = poll(&entry, 1, milliseconds)) < 0 && errno == EINTR) {}
    return n > 0;
}

struct ThreadStart {
    void (*function)(void*);
    void* context;
};

void* runThread(void* start) {
    const ThreadStart copy = *static_cast<ThreadStart*>(start);
    releaseMemory(start);
    copy.function(copy.context);
    return nullptr;
}

}  // namespace

InstanceRole claimInstance(const Text& name) {
    const Text folder = instanceFolder();
    if (folder.empty()) return InstanceRole::Unavailable;
    const Text lockPath = folder + "/" + name + ".lock";
    const int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (lock < 0) return InstanceRole::Unavailable;
    if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
        close(lock);
        return errno == EWOULDBLOCK ? InstanceRole::Later : InstanceRole::Unavailable;
    }
    sockaddr_un address;
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener < 0 || !socketAddress(name, address)) {
        if (listener >= 0) close(listener);
        close(lock);
        return InstanceRole::Unavailable;
    }
    unlink(address.sun_path);  // left by a first instance that ended without removing it
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener, 16) != 0) {
        close(listener);
        close(lock);
        return InstanceRole::Unavailable;
    }
    gLock = lock;
    gListener = listener;
    return InstanceRole::First;
}

// The first instance may hold the lock and not listen yet: connecting is
// tried again until the time is up.
bool sendHandOver(const Text& name, const Text& message, unsigned milliseconds) {
    sockaddr_un address;
    if (!socketAddress(name, address)) return false;
    const unsigned long start = millisecondClock();
    for (;;) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            char answer = 0;
            const unsigned long spent = millisecondClock() - start;
            const bool done = writeAll(fd, message.data(), message.size()) && shutdown(fd, SHUT_WR) == 0 &&
                              spent < milliseconds && readable(fd, static_cast<int>(milliseconds - spent)) &&
                              recv(fd, &answer, 1, 0) == 1 && answer == 'k';
            close(fd);
            return done;
        }
        close(fd);
        if (millisecondClock() - start >= milliseconds) return false;
        const timespec pause = {0, 20 * 1000000};
        nanosleep(&pause, nullptr);
    }
}

// A message ends where its sender stops writing; one that does not end
// within 5 seconds, or grows beyond 1 MiB and one byte, is dropped, and so
// is one whose sender no longer waits for the answer.
bool receiveHandOver(Text& message) {
    for (;;) {
        if (gListener < 0) return false;
        const int fd = accept4(gListener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return false;
        }
        message.clear();
        char buffer[4096];
        bool whole = false;
        while (message.size() <= (1u << 20) && readable(fd, 5000)) {
            const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                whole = n == 0;
                break;
            }
            message.append(buffer, static_cast<size_t>(n));
        }
        // A sender that has given up is gone: its message is dropped.
        const bool answered = whole && writeAll(fd, "k", 1);
        close(fd);
        if (answered) return true;
    }
}

void releaseInstance() {
    if (gListener >= 0) close(gListener);
    if (gLock >= 0) close(gLock);
    gListener = gLock = -1;
}

bool startThread(void (*function)(void*), void* context) {
    ThreadStart* start = static_cast<ThreadStart*>(allocateMemory(sizeof(ThreadStart)));
    start->function = function;
    start->context = context;
    pthread_t thread;
    if (pthread_create(&thread, nullptr, runThread, start) != 0) {
        releaseMemory(start);
        return false;
    }
    pthread_detach(thread);
    return true;
}

void showOwnWindow() {}

}  // namespace platform
