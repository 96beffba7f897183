#pragma once
// Java versions as installers and runtimes write them, for choosing the
// newest of several runtimes: registry key names ("1.8", "1.8.0_401",
// "17", "21.0.5.11", "zulu-17"), folder names ("java-17-openjdk-amd64")
// and the JAVA_VERSION line of a runtime's `release` file.

#include <stddef.h>

#include "platform/Text.h"

// The first four numbers of a version; a leading "1." names the old
// numbering, so "1.8.0_401" is 8.0.401.
struct JavaVersion {
    unsigned parts[4] = {0, 0, 0, 0};
};

// The numbers from the first digit of `text` on, separated by '.', '_',
// '+' or '-' (each followed by a digit); the version ends at anything
// else. A text without digits is version 0. Numbers stop growing at
// 999999.
JavaVersion parseJavaVersion(const char* text);

// True when `a` is a later version than `b`.
bool isLaterVersion(const JavaVersion& a, const JavaVersion& b);

// The value of the line JAVA_VERSION="..." of a `release` file's bytes.
// False, with `problem` saying why, when the file is empty, has no such
// line, or the value is empty or not closed on its line.
bool releaseFileVersion(const char* bytes, size_t size, Text& version, const char*& problem);
