#pragma once
// What the launcher knows of a runtime before it loads it, read once: its
// VM library, the library's machine, and its Java version (on Windows the
// library's version resource, else the `release` file of its home).

#include "vmbind/JavaVersion.h"
#include "vmbind/LibraryHeader.h"

struct RuntimeFacts {
    Text library;
    LibraryVerdict verdict = LibraryVerdict::Unreadable;
    Machine machine{0, 0};
    JavaVersion version;  // count 0: unknown
    // A `release` file that was found but gave no version, and why; empty
    // and null otherwise.
    Text releasePath;
    const char* releaseProblem = nullptr;
};

// The facts of the library at `library`. Its home's `release` file is the
// first one found in the folders above it, up to the runtime's home (the
// first folder holding `bin` or `lib`, or the JDK around a Java 8 `jre`,
// whose library lies in jre/lib/amd64/server) and never more than five
// levels up; one larger than 16 KB, or anything but a regular file, is not
// read.
RuntimeFacts readRuntimeFacts(const Text& library);
