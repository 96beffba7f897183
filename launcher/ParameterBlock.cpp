// Reading the parameter block: a sequence of records, each a keyword line
// followed by the value lines its keyword takes. Unknown lines are skipped
// one at a time; nothing in a block is ever reported.
#include "launcher/BlockLines.h"
#include "launcher/Environment.h"
#include "launcher/LaunchParameters.h"
#include "platform/CodePage.h"
#include "platform/Environment.h"

namespace {

// Calls `readEntry` as often as the count line says, but never past the
// end of the text: a huge count cannot produce a flood of empty entries.
template <typename ReadEntry>
void readCounted(BlockLineReader& lines, ReadEntry readEntry) {
    uint64_t count = parseCount(lines.next());
    for (uint64_t i = 0; i < count && !lines.atEnd(); ++i) readEntry();
}

void readParameters(LaunchParameters& p, BlockLineReader& lines) {
    // Arguments are kept as UTF-8 (as the command line's are); the block
    // holds the system's 8-bit text.
    for (Text& token : splitArguments(lines.next())) {
        expandVariable(token);
        p.arguments.push_back(utf8FromAnsi(token));
    }
}

void readEnvironment(BlockLineReader& lines) {
    readCounted(lines, [&] {
        Text name = lines.next();
        Text value = lines.next();
        // A name the system refuses (empty, or with '=') is skipped, and
        // so is a pair holding a NUL, which a C string would cut short.
        if (name.find('\0') != Text::npos || value.find('\0') != Text::npos) return;
        platform::setVariable(name.c_str(), value.c_str());
    });
}

void readClassPath(LaunchParameters& p, BlockLineReader& lines) {
    readCounted(lines, [&] { p.classPath.push_back(lines.next()); });
}

void readProperties(LaunchParameters& p, BlockLineReader& lines, PropertyStyle style) {
    readCounted(lines, [&] {
        Text property = lines.next();
        expandVariable(property);
        p.properties.push_back(style == PropertyStyle::Option ? "-D" + property : property);
    });
}

// "jvmoptions": complete VM options, expanded as properties are.
void readJvmOptions(LaunchParameters& p, BlockLineReader& lines) {
    readCounted(lines, [&] {
        Text option = lines.next();
        expandVariable(option);
        p.jvmOptions.push_back(option);
    });
}

void readClassName(LaunchParameters& p, BlockLineReader& lines) {
    p.mainClass = lines.next();
    for (size_t i = 0; i < p.mainClass.size(); ++i)
        if (p.mainClass[i] == '.') p.mainClass[i] = '/';
}

// The keywords whose value line is kept as it is.
struct TextKeyword {
    char name[13];
    Text LaunchParameters::*field;
};
const TextKeyword kTextKeywords[] = {
    {"binarypath", &LaunchParameters::binaryPath},       {"minheap", &LaunchParameters::minHeap},
    {"maxheap", &LaunchParameters::maxHeap},             {"maxcstack", &LaunchParameters::nativeStackSize},
    {"maxjavastack", &LaunchParameters::javaStackSize},  {"javamin", &LaunchParameters::javaMinVersion},
    {"javamax", &LaunchParameters::javaMaxVersion},      {"downloadurl", &LaunchParameters::downloadUrl},
};

// The keywords whose value line is a switch; `on` is what the field
// becomes when the switch is on ("noclassgc" turns class GC off).
struct SwitchKeyword {
    char name[13];
    bool on;
    bool LaunchParameters::*field;
};
const SwitchKeyword kSwitchKeywords[] = {
    {"noclassgc", false, &LaunchParameters::classGcEnabled},   {"noasyncgc", true, &LaunchParameters::asyncGcDisabled},
    {"disablejit", true, &LaunchParameters::jitDisabled},      {"console", true, &LaunchParameters::consoleWindow},
    {"routeconsole", true, &LaunchParameters::routeConsole},   {"startupcache", true, &LaunchParameters::startupCache},
    {"embeddedjar", true, &LaunchParameters::embeddedJar},
};

// Applies the record whose keyword is `keyword`; false when the keyword is
// not one of the block's (only the keyword line has then been consumed).
bool applyRecord(LaunchParameters& p, const Text& keyword, BlockLineReader& lines, PropertyStyle style) {
    for (const TextKeyword& k : kTextKeywords) {
        if (keyword == k.name) {
            p.*k.field = lines.next();
            return true;
        }
    }
    for (const SwitchKeyword& k : kSwitchKeywords) {
        if (keyword == k.name) {
            p.*k.field = isSwitchOn(lines.next()) == k.on;
            return true;
        }
    }
    if (keyword == "classname") readClassName(p, lines);
    else if (keyword == "parameters") readParameters(p, lines);
    else if (keyword == "appendcp") p.classPathMode = ClassPathMode::Append;
    else if (keyword == "prependcp") p.classPathMode = ClassPathMode::Prepend;
    else if (keyword == "nocp") p.classPathMode = ClassPathMode::Ignore;
    else if (keyword == "environment") readEnvironment(lines);
    else if (keyword == "classpath") readClassPath(p, lines);
    else if (keyword == "properties") readProperties(p, lines, style);
    else if (keyword == "verify") p.verifyMode = VerifyMode::All;
    else if (keyword == "verifyremote") p.verifyMode = VerifyMode::Remote;
    else if (keyword == "noverify") p.verifyMode = VerifyMode::None;
    else if (keyword == "jvmoptions") readJvmOptions(p, lines);
    else if (keyword == "workingfolder") p.callerFolder = lines.next() == "caller";
    else return false;
    return true;
}

}  // namespace

void LaunchParameters::parseBlock(const Text& text) {
    BlockLineReader lines(text);
    // Every pass consumes at least the keyword line, so this ends.
    while (!lines.atEnd()) applyRecord(*this, lines.next(), lines, propertyStyle_);
    mergeSystemClassPath(classPath, classPathMode);
}
