#include "platform/Programs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

std::string programFile(const std::string& path) { return path; }

namespace {

// A descriptor closed when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() { reset(); }
    void reset() {
        if (fd >= 0) close(fd);
        fd = -1;
    }
};

}  // namespace

int runProgram(const std::vector<std::string>& argv, std::string& output) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        output = argv[0] + ": " + std::strerror(errno);
        return -1;
    }
    Descriptor readEnd{ends[0]}, writeEnd{ends[1]};
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int nothing = open("/dev/null", O_RDONLY);
        if (nothing >= 0) dup2(nothing, 0);
        dup2(writeEnd.fd, 1);
        dup2(writeEnd.fd, 2);
        execvp(args[0], args.data());
        const char* why = std::strerror(errno);
        (void)!write(2, why, std::strlen(why));
        _exit(127);
    }
    writeEnd.reset();
    if (child < 0) {
        output = argv[0] + ": " + std::strerror(errno);
        return -1;
    }
    output.clear();
    char buffer[4096];
    for (ssize_t n; (n = read(readEnd.fd, buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        output.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127 && output.find('\n') == std::string::npos) {
        output = argv[0] + ": " + output;
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool makePrivateFolder(const std::string& path, bool& taken) {
    taken = false;
    if (mkdir(path.c_str(), 0700) == 0) return true;
    taken = errno == EEXIST;
    return false;
}

}  // namespace platform
