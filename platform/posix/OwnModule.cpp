#include "platform/OwnModule.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <spawn.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/List.h"

extern char** environ;

namespace platform {

Text ownModulePath(bool* shortForm) {
    if (shortForm) *shortForm = false;
    char buffer[PATH_MAX + 1];
    ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0) return Text();
    return Text(buffer, static_cast<size_t>(n));
}

Text ownModulePathUtf8() { return ownModulePath(); }

File openOwnCompanion(const char* extension, Text& path, bool& missing) {
    path = companionPath(ownModulePath(), extension);
    missing = !fileExists(path.c_str());
    return File::open(path.c_str(), File::Mode::ReadShared);
}

File openOwnExecutable() { return File::open("/proc/self/exe", File::Mode::ReadShared); }

bool ownCommandLineArguments(Text&) { return false; }

// posix_spawn: safe from a process whose other threads (the VM's) still
// run, as fork is not.
bool startOwnProgram() {
    const Text path = ownModulePath();
    char* arguments[] = {const_cast<char*>(path.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd < 3; ++fd) posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", O_RDWR, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    const int failed = posix_spawn(&child, path.c_str(), &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0;
}

namespace {

// The process's own arguments, as the system split them (argv), each
// ending with its NUL: the text of /proc/self/cmdline.
Text ownArgumentBytes() {
    Text bytes;
    File file = File::open("/proc/self/cmdline", File::Mode::ReadShared);
    char buffer[4096];
    for (;;) {
        const long long n = file.read(buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

}  // namespace

// posix_spawn, as fork is not safe beside the VM's running threads. The
// caller may be one of the VM's threads, whose blocked signals the child
// would keep: it starts with none blocked.
int runOwnProgramAgain() {
    const Text path = ownModulePath();
    Text bytes = ownArgumentBytes();
    if (path.empty() || bytes.empty()) return -1;
    List<char*> arguments;
    for (size_t at = 0; at < bytes.size(); at += strlen(bytes.data() + at) + 1) arguments.push_back(bytes.data() + at);
    arguments.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t child = 0;
    const int failed = posix_spawn(&child, path.c_str(), nullptr, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (failed) return -1;
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR) return -1;
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

unsigned long ownProcessId() { return static_cast<unsigned long>(getpid()); }

void lowerOwnPriority() {
    const int ignored = nice(10);
    (void)ignored;
}

bool ownResource(unsigned type, unsigned id, Text& bytes) {
    bytes.clear();
    if (type != 1000 || id != 1) return false;
    bytes = "standard";
    return true;
}

const char* ownResourceBytes(unsigned, unsigned, size_t& size) {
    size = 0;
    return nullptr;
}

}  // namespace platform
