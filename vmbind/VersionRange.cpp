#include "vmbind/VersionRange.h"

namespace {

JavaVersion bound(const Text& text) {
    JavaVersion version;
    const char* problem = nullptr;
    if (text.empty() || !readJavaVersion(text.c_str(), version, problem)) return JavaVersion();
    return version;
}

// "17 or newer", "at most 21", "17 to 21".
Text needed(const VersionRange& range, bool lowest, bool highest) {
    if (lowest && highest) return range.lowestText + " to " + range.highestText;
    if (lowest) return range.lowestText + " or newer";
    return "at most " + range.highestText;
}

}  // namespace

VersionRange versionRange(const Text& lowest, const Text& highest) {
    VersionRange range;
    range.lowest = bound(lowest);
    range.highest = bound(highest);
    if (range.lowest.count) range.lowestText = lowest;
    if (range.highest.count) range.highestText = highest;
    return range;
}

Text rangeProblem(const VersionRange& range, const JavaVersion& version) {
    const bool hasLowest = range.lowest.count != 0, hasHighest = range.highest.count != 0;
    Text problem;
    if (version.count == 0) {
        if (!range.bounded()) return problem;
        problem = "Java version unknown, this program needs ";
        problem += needed(range, hasLowest, hasHighest);
        return problem;
    }
    const bool tooLow = hasLowest && compareWithBound(version, range.lowest) < 0;
    const bool tooHigh = hasHighest && compareWithBound(version, range.highest) > 0;
    if (!tooLow && !tooHigh) return problem;
    problem = "Java " + versionText(version) + ", this program needs ";
    problem += needed(range, tooLow, tooHigh);
    return problem;
}
