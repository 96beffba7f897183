#include "vmbind/VersionRange.h"

namespace {

JavaVersion bound(const Text& text) {
    JavaVersion version;
    const char* problem = nullptr;
    if (text.empty() || !readJavaVersion(text.c_str(), version, problem)) return JavaVersion();
    return version;
}

// "17 or newer" or "at most 21".
Text needed(const VersionRange& range, bool lowest) {
    return lowest ? range.lowestText + " or newer" : "at most " + range.highestText;
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
    const bool tooLow = range.lowest.count && (!version.count || compareWithBound(version, range.lowest) < 0);
    const bool tooHigh = range.highest.count && (!version.count || compareWithBound(version, range.highest) > 0);
    if (!tooLow && !tooHigh) return Text();
    Text problem = "Java ";
    problem += version.count ? versionText(version) : Text("version unknown");
    problem += ", this program needs ";
    problem += needed(range, tooLow);
    return problem;
}
