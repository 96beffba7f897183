#include "platform/FileSystem.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool deleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool makeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool replaceFile(const std::string& source, const std::string& target) {
    return ::rename(source.c_str(), target.c_str()) == 0;
}

std::string lastErrorText() { return strerror(errno); }

}  // namespace platform

#include "platform/Process.h"

void platform::sleepSeconds(unsigned seconds) { sleep(seconds); }
