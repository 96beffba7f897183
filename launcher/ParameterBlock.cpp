// Reading the parameter block: a sequence of records, each a keyword line
// followed by the value lines its keyword takes. Unknown lines are skipped
// one at a time; nothing in a block is ever reported.
#include "launcher/BlockKeywords.h"
#include "launcher/BlockLines.h"
#include "launcher/DecimalNumber.h"
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

// Properties and VM options: %NAME% expanded, each after `prefix` ("-D"
// makes a property a complete VM option).
void readExpanded(BlockLineReader& lines, List<Text>& entries, const char* prefix) {
    readCounted(lines, [&] {
        Text entry = lines.next();
        expandVariable(entry);
        entries.push_back(prefix + entry);
    });
}

// A number from 0 to `largest`; 0 for any other text.
uint64_t boundedNumber(const Text& line, uint64_t largest) {
    const DecimalNumber number = readDecimalNumber(line);
    return !number.negative && number.magnitude <= largest ? number.magnitude : 0;
}

void readClassName(LaunchParameters& p, BlockLineReader& lines) {
    p.mainClass = lines.next();
    for (size_t i = 0; i < p.mainClass.size(); ++i)
        if (p.mainClass[i] == '.') p.mainClass[i] = '/';
}

// The keyword whose text is `line`; BlockKeyword::Count for any other line.
BlockKeyword keywordOf(const Text& line) {
    const char* text = kBlockKeywords;
    int i = 0;
    for (; i < static_cast<int>(BlockKeyword::Count) && line != text; ++i)
        while (*text++ != '\0') {}
    return static_cast<BlockKeyword>(i);
}

// Applies the record whose keyword line is `keyword`; for a line that is
// no keyword nothing more is consumed. Plain text values and switches are
// stored through one assignment each, which keeps the launcher small.
void applyRecord(LaunchParameters& p, const Text& keyword, BlockLineReader& lines, PropertyStyle style) {
    Text LaunchParameters::*text = nullptr;
    bool LaunchParameters::*flag = nullptr;
    bool on = true;  // what the field becomes when the switch is on
    switch (keywordOf(keyword)) {
    case BlockKeyword::BinaryPath: text = &LaunchParameters::binaryPath; break;
    case BlockKeyword::ClassName: readClassName(p, lines); break;
    case BlockKeyword::Parameters: readParameters(p, lines); break;
    case BlockKeyword::AppendCp: p.classPathMode = ClassPathMode::Append; break;
    case BlockKeyword::PrependCp: p.classPathMode = ClassPathMode::Prepend; break;
    case BlockKeyword::NoCp: p.classPathMode = ClassPathMode::Ignore; break;
    case BlockKeyword::Environment: readEnvironment(lines); break;
    case BlockKeyword::ClassPath: readCounted(lines, [&] { p.classPath.push_back(lines.next()); }); break;
    case BlockKeyword::Properties: readExpanded(lines, p.properties, style == PropertyStyle::Option ? "-D" : ""); break;
    case BlockKeyword::NoAsyncGc: flag = &LaunchParameters::asyncGcDisabled; break;
    case BlockKeyword::NoClassGc: flag = &LaunchParameters::classGcEnabled, on = false; break;
    case BlockKeyword::VerifyRemote: p.verifyMode = VerifyMode::Remote; break;
    case BlockKeyword::Verify: p.verifyMode = VerifyMode::All; break;
    case BlockKeyword::NoVerify: p.verifyMode = VerifyMode::None; break;
    case BlockKeyword::DisableJit: flag = &LaunchParameters::jitDisabled; break;
    case BlockKeyword::Console: flag = &LaunchParameters::consoleWindow; break;
    case BlockKeyword::RouteConsole: flag = &LaunchParameters::routeConsole; break;
    case BlockKeyword::MinHeap: text = &LaunchParameters::minHeap; break;
    case BlockKeyword::MaxHeap: text = &LaunchParameters::maxHeap; break;
    case BlockKeyword::MaxCStack: text = &LaunchParameters::nativeStackSize; break;
    case BlockKeyword::MaxJavaStack: text = &LaunchParameters::javaStackSize; break;
    case BlockKeyword::JvmOptions: readExpanded(lines, p.jvmOptions, ""); break;
    case BlockKeyword::JavaMin: text = &LaunchParameters::javaMinVersion; break;
    case BlockKeyword::JavaMax: text = &LaunchParameters::javaMaxVersion; break;
    case BlockKeyword::DownloadUrl: text = &LaunchParameters::downloadUrl; break;
    case BlockKeyword::StartupCache: flag = &LaunchParameters::startupCache; break;
    case BlockKeyword::WorkingFolder: p.callerFolder = lines.next() == "caller"; break;
    case BlockKeyword::RuntimeHeap: text = &LaunchParameters::runtimeHeap; break;
    case BlockKeyword::EmbeddedJar: flag = &LaunchParameters::embeddedJar; break;
    case BlockKeyword::RestartExitCode: p.restartExitCode = static_cast<int>(boundedNumber(lines.next(), 255)); break;
    case BlockKeyword::SingleInstance: flag = &LaunchParameters::singleInstance; break;
    case BlockKeyword::InstanceId: text = &LaunchParameters::instanceId; break;
    case BlockKeyword::InstanceHandler: text = &LaunchParameters::instanceHandler; break;
    case BlockKeyword::SplashTimeout: p.splashTimeout = static_cast<unsigned>(boundedNumber(lines.next(), 3600)); break;
    case BlockKeyword::SplashImage:
        p.splashOffset = boundedNumber(lines.next(), ~uint64_t(0));
        p.splashLength = static_cast<uint32_t>(boundedNumber(lines.next(), 16u << 20));
        break;
    case BlockKeyword::Count: break;
    }
    if (text) p.*text = lines.next();
    if (flag) p.*flag = isSwitchOn(lines.next()) == on;
}

}  // namespace

void LaunchParameters::parseBlock(const Text& text) {
    BlockLineReader lines(text);
    // Every pass consumes at least the keyword line, so this ends.
    while (!lines.atEnd()) applyRecord(*this, lines.next(), lines, propertyStyle_);
    mergeSystemClassPath(classPath, classPathMode);
}
