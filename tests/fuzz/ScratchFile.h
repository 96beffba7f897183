#pragma once
// Where a fuzz target puts each input for the readers that take a path: a
// file of this process in TMPDIR (the campaign points it at memory), else
// in /tmp. The process number has a fixed width, so the path's length (which
// the readers' loops see) is the same in every run.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

inline std::string fuzzScratchPath(const std::string& name) {
    const char* folder = std::getenv("TMPDIR");
    char process[16];
    std::snprintf(process, sizeof process, "%010ld", static_cast<long>(getpid()));
    return std::string(folder && *folder ? folder : "/tmp") + "/caskit-fuzz-" + process + "-" + name;
}
