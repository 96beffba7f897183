#pragma once
// Java versions as installers, runtimes and users write them: registry key
// names ("1.8", "1.8.0_401", "17", "21.0.5.11", "zulu-17"), folder names
// ("java-17-openjdk-amd64"), the JAVA_VERSION line of a runtime's `release`
// file, a VM library's version resource, and the version bounds a project
// sets. One reader serves them all, for the search's ordering, the version
// range and the start-up cache.
//
// Both numbering schemes are understood. The old one names Java 8 "1.8":
// "1.8.0_392-b08" is 8.0.392 build 8. The new one writes
// feature.interim.update.patch, a pre-release after '-' and a build after
// '+': "17.0.15+6", "25-ea". A build goes into the fourth number when the
// version has at most three (17.0.15+6 is 17.0.15.6), as Windows version
// resources write it.

#include <stddef.h>

#include "platform/Text.h"

struct JavaVersion {
    unsigned parts[4] = {0, 0, 0, 0};
    // How many numbers were given (a build counts as the fourth); 0 when
    // no version is known. A bound covers the versions it prefixes: the
    // numbers beyond `count` are not compared.
    unsigned count = 0;
    bool earlyAccess = false;  // a pre-release: "25-ea"
};

// The largest number of a version part.
const unsigned kMostVersionNumber = 999999;

// A version found in a name: from its first digit on, as far as it reads
// as a version ("zulu-17" is 17, "java-1.17.0-openjdk-amd64" is 17);
// numbers beyond kMostVersionNumber are cut to it, a pre-release is not
// marked. A text without digits gives count 0.
JavaVersion parseJavaVersion(const char* text);

// The whole of `text` as a version (a bound, a `release` file's value).
// False, with `problem` saying why, for anything else: an empty text,
// letters where numbers belong, empty parts ("17..2", "17."), a number
// beyond kMostVersionNumber, more than four numbers, an update after '_'
// outside the old scheme, or feature version 0.
bool readJavaVersion(const char* text, JavaVersion& version, const char*& problem);

// True when `a` is a later version than `b` (a release is later than the
// pre-release of the same numbers).
bool isLaterVersion(const JavaVersion& a, const JavaVersion& b);

// -1, 0 or 1 as `version` is below, within or above what `bound` covers:
// only the first `bound.count` numbers are compared, so a bound of 21
// covers 21.0.5 and a bound of 17.0.2 does not cover 17.0.1.
int compareWithBound(const JavaVersion& version, const JavaVersion& bound);

// "11.0.2", "17", "8.0.392", "25-ea": the numbers up to the last that is
// not 0 (an old-scheme version without its leading "1.").
Text versionText(const JavaVersion& version);

// The value of the line JAVA_VERSION="..." of a `release` file's bytes.
// False, with `problem` saying why, when the file is empty, has no such
// line, or the value is empty or not closed on its line.
bool releaseFileVersion(const char* bytes, size_t size, Text& version, const char*& problem);

// The product version of a version resource's bytes, as
// GetFileVersionInfo gives them: a VS_VERSIONINFO block whose value is a
// VS_FIXEDFILEINFO (signature 0xFEEF04BD). Java 8 and older stamp the
// update times ten (8.0.3920.8 is 8u392 build 8); it is divided back.
// False, with `problem` saying why, when the bytes hold no such block or
// its product version is 0.
bool fixedInfoVersion(const unsigned char* bytes, size_t size, JavaVersion& version, const char*& problem);
