#include "platform/OwnModule.h"

#include <fcntl.h>
#include <limits.h>
#include <spawn.h>
#include <unistd.h>

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

}  // namespace platform
