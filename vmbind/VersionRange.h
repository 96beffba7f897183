#pragma once
// The Java versions a program runs on: the project's lowest and highest
// version ("javamin", "javamax"), each covering the longer versions it
// prefixes (a highest version of 21 allows 21.0.5).

#include "vmbind/JavaVersion.h"

struct VersionRange {
    JavaVersion lowest, highest;  // count 0: no bound
    Text lowestText, highestText;

    bool bounded() const { return lowest.count != 0 || highest.count != 0; }
};

// The range of two bound texts (empty: no bound). A text that is no
// version sets no bound: the builder refuses such a project, so only a
// block written by other means holds one.
VersionRange versionRange(const Text& lowest, const Text& highest);

// Why a runtime of `version` (count 0: unknown) is outside the range, as
// the list of rejected runtimes shows it: "Java 11.0.2, this program
// needs 17 or newer", "Java 25.0.1, this program needs at most 21",
// "Java version unknown, this program needs 17 or newer" (the lowest
// version is named when a version below it would be refused too). Empty
// when it is inside (an unknown version is inside only an unbounded range).
Text rangeProblem(const VersionRange& range, const JavaVersion& version);
