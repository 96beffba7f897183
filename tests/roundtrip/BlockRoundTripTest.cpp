// One source of truth for the parameter block: projects made at random are
// written by the engine's block writer and read back by the launcher's
// block reader, and every setting must come back as the launcher is meant
// to see it. Runs without CLASSPATH and with CASKIT_RT_KNOWN set (see
// CMakeLists.txt).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/Project.h"
#include "builder/engine/SettingTable.h"
#include "launcher/LaunchParameters.h"
#include "tests/support/TextSupport.h"

namespace {

using Strings = std::vector<std::string>;

const char kKnownValue[] = "known value";  // CASKIT_RT_KNOWN at start-up
const int kVariables = 6;                  // CASKIT_RT_V0 .. V5

// ---- The two sides, each behind one small adapter.

std::string writtenBlock(const Project& project) { return buildParameterBlock(project); }

struct Settings {
    std::string binaryPath, mainClass, minHeap, maxHeap, nativeStack, javaStack;
    Strings arguments, classPath, properties;
    int classPathMode = 0, verifyMode = 0;
    bool classGc = false, asyncGcDisabled = false, jitDisabled = false, console = false, routeConsole = false;
    std::map<std::string, std::optional<std::string>> environment;
    // The settings of the setting table the block carries, by keyword.
    std::map<std::string, std::string> extended;
    bool embeddedJar = false;
};

std::string list(const Strings& items) {
    std::string out;
    for (const std::string& item : items) out += "[" + item + "]";
    return out;
}

// Every setting on a line of its own, to compare and to show.
std::string shown(const Settings& s) {
    std::string out = "binarypath " + s.binaryPath + "\nclassname " + s.mainClass + "\narguments " +
                      list(s.arguments) + "\nclasspath " + list(s.classPath) + "\nproperties " +
                      list(s.properties) + "\nsizes " + s.minHeap + " " + s.maxHeap + " " + s.nativeStack + " " +
                      s.javaStack + "\nmodes " + std::to_string(s.classPathMode) + " " +
                      std::to_string(s.verifyMode) + "\nswitches " + std::to_string(s.classGc) +
                      std::to_string(s.asyncGcDisabled) + std::to_string(s.jitDisabled) +
                      std::to_string(s.console) + std::to_string(s.routeConsole) + "\n";
    for (const auto& [name, value] : s.environment) out += name + (value ? "=" + *value : " unset") + "\n";
    for (const auto& [keyword, value] : s.extended) out += keyword + " " + value + "\n";
    return out + "embeddedjar " + std::to_string(s.embeddedJar) + "\n";
}

std::string variableName(int i) { return "CASKIT_RT_V" + std::to_string(i); }

Settings readBack(const std::string& block, bool optionStyle) {
    for (int i = 0; i < kVariables; ++i) unsetenv(variableName(i).c_str());
    LaunchParameters p(optionStyle ? PropertyStyle::Option : PropertyStyle::Plain);
    p.parseBlock(text(block));
    Settings s;
    s.binaryPath = str(p.binaryPath);
    s.mainClass = str(p.mainClass);
    s.minHeap = str(p.minHeap);
    s.maxHeap = str(p.maxHeap);
    s.nativeStack = str(p.nativeStackSize);
    s.javaStack = str(p.javaStackSize);
    s.arguments = strs(p.arguments);
    s.classPath = strs(p.classPath);
    s.properties = strs(p.properties);
    s.classPathMode = static_cast<int>(p.classPathMode);
    s.verifyMode = static_cast<int>(p.verifyMode);
    s.classGc = p.classGcEnabled;
    s.asyncGcDisabled = p.asyncGcDisabled;
    s.jitDisabled = p.jitDisabled;
    s.console = p.consoleWindow;
    s.routeConsole = p.routeConsole;
    for (int i = 0; i < kVariables; ++i) s.environment[variableName(i)] = caskit_test::currentVariable(variableName(i).c_str());
    s.extended = {{"jvmoptions", list(strs(p.jvmOptions))},
                  {"javamin", str(p.javaMinVersion)},
                  {"javamax", str(p.javaMaxVersion)},
                  {"downloadurl", str(p.downloadUrl)},
                  {"startupcache", p.startupCache ? "1" : "0"},
                  {"workingfolder", p.callerFolder ? "caller" : "executable"},
                  {"runtimeheap", p.runtimeHeap.empty() ? "0" : str(p.runtimeHeap)},
                  {"restartexitcode", std::to_string(p.restartExitCode)},
                  {"singleinstance", p.singleInstance ? "1" : "0"},
                  {"instanceid", str(p.instanceId)},
                  {"instancehandler", str(p.instanceHandler)},
                  {"splashtimeout", std::to_string(p.splashTimeout)}};
    s.embeddedJar = p.embeddedJar;
    return s;
}

// ---- Random projects, and what the launcher must make of each.

class Maker {
public:
    explicit Maker(unsigned seed) : random_(seed) {}

    unsigned below(unsigned n) { return static_cast<unsigned>(random_() % n); }
    bool chance(unsigned percent) { return below(100) < percent; }

    // Text of up to `longest` characters from `alphabet`.
    std::string from(const std::string& alphabet, unsigned longest) {
        std::string t;
        for (unsigned n = below(longest + 1); n > 0; --n) t += alphabet[below(static_cast<unsigned>(alphabet.size()))];
        return t;
    }
    // Anything a line can hold: blanks, tabs, quotes, '%', '=', ';', '.'.
    std::string anyText(unsigned longest = 24) { return from(kPlain + " \t\"%=;.:\\/", longest); }

    // A text with at most one %NAME% reference; `expected` gets what the
    // launcher's expansion (start-up environment; Linux names are exact,
    // so another letter case names an unset variable) makes of it. `allowed` are the other characters it may hold.
    std::string expandable(const std::string& allowed, std::string& expected) {
        std::string before = from(allowed, 8), after = from(allowed, 8);
        std::string reference, replaced;
        switch (below(5)) {
        case 0: reference = replaced = ""; break;
        case 1: reference = "%CASKIT_RT_KNOWN%", replaced = kKnownValue; break;
        case 2: reference = replaced = "%caskit_rt_Known%"; break;
        case 3: reference = replaced = "%CASKIT_RT_ABSENT%"; break;
        default: reference = replaced = "%"; break;  // one sign alone names nothing
        }
        expected = before + replaced + after;
        return before + reference + after;
    }

    void arguments(Project& project, Settings& expected) {
        std::string line = std::string(below(3), ' ');
        for (unsigned n = chance(20) ? 0 : below(6); n > 0; --n) {
            std::string token;
            switch (below(3)) {
            case 0: {  // bare: no blank, no quote, not empty
                std::string written = expandable(kPlain + "\t=;.", token);
                if (written.empty()) written = token = "x";
                line += written;
                break;
            }
            case 1:  // quoted: blanks allowed
                line += "\"" + expandable(kPlain + " \t=;.", token) + "\"";
                break;
            default:  // empty
                line += "\"\"";
                break;
            }
            expected.arguments.push_back(token);
            line += std::string(1 + below(3), ' ');
        }
        project.setArguments(line);
    }

    void environment(Project& project, Settings& expected) {
        for (int i = 0; i < kVariables; ++i) expected.environment[variableName(i)] = std::nullopt;
        for (unsigned n = below(8); n > 0; --n) {
            std::string name = variableName(static_cast<int>(below(kVariables)));
            switch (below(4)) {
            case 0:  // no '=': the variable is set empty
                project.listAdd(ProjectList::Environment, name);
                expected.environment[name] = std::string();
                break;
            case 1:  // no name: the system refuses it
                project.listAdd(ProjectList::Environment, "=" + anyText());
                break;
            default: {  // the value is kept exactly, '=' and '%' included
                std::string value = anyText();
                project.listAdd(ProjectList::Environment, name + "=" + value);
                expected.environment[name] = value;
                break;
            }
            }
        }
    }

    unsigned listLength() { return chance(10) ? 50 + below(250) : below(4); }

    void classPath(Project& project, Settings& expected) {
        for (unsigned n = listLength(); n > 0; --n) {
            std::string entry = chance(15) ? std::string() : anyText();
            project.listAdd(ProjectList::ClassPath, entry);
            expected.classPath.push_back(entry);
        }
    }

    void properties(Project& project, Settings& expected, bool optionStyle) {
        for (unsigned n = listLength(); n > 0; --n) {
            std::string value;
            std::string entry = chance(10) ? std::string() : from(kPlain, 6) + "=" + expandable(kPlain + " \"=;", value);
            if (entry.empty()) value.clear();
            else value = entry.substr(0, entry.find('=') + 1) + value;
            project.listAdd(ProjectList::Properties, entry);
            expected.properties.push_back((optionStyle ? "-D" : "") + value);
        }
    }

    // Every setting of the setting table, away from its default in about
    // half of the projects, and how the launcher shows those the block carries.
    void extended(Project& project, Settings& expected) {
        const bool set = chance(50);
        for (const SettingInfo& s : settingTable()) {
            std::string value;
            switch (s.kind) {
            case SettingKind::Text:
                project.setExtended(s.text, set && chance(50) ? anyText() : std::string());
                value = project.extended().*s.text;
                break;
            case SettingKind::Switch:
                project.setExtended(s.flag, set && chance(50));
                value = project.extended().*s.flag ? "1" : "0";
                break;
            case SettingKind::Number:
                project.setExtended(s.number, set ? size() : 0);
                value = std::to_string(project.extended().*s.number);
                // An exit code outside 1 to 255 is none.
                if (s.numberMax && project.extended().*s.number > s.numberMax) value = "0";
                break;
            case SettingKind::Choice: {
                std::uint32_t choices = 0;
                while (choiceName(s, choices)) ++choices;
                project.setExtended(s.number, set ? below(choices) : 0);
                value = choiceName(s, project.extended().*s.number);
                break;
            }
            case SettingKind::List: {  // VM options, expanded by the launcher
                Strings entries, read;
                for (unsigned n = set ? listLength() : 0; n > 0; --n) {
                    entries.push_back("-" + expandable(kPlain + " \"=;:", value));
                    read.push_back("-" + value);
                }
                project.setExtended(s.list, entries);
                value = list(read);
                break;
            }
            }
            if (s.keyword) expected.extended[s.keyword] = value;
        }
        expected.embeddedJar = !project.extended().embeddedJar.empty();
    }

    std::uint32_t size() {
        switch (below(4)) {
        case 0: return 0;
        case 1: return 4294967295u;
        default: return static_cast<std::uint32_t>(random_());
        }
    }

private:
    const std::string kPlain = "abcXYZ019_-";
    std::mt19937 random_;
};

// A random project (with the block reader's property style) and the
// settings the launcher must read from its block.
Project randomProject(Maker& make, bool& optionStyle, Settings& expected) {
    Project project(false);
    optionStyle = make.chance(50);
    project.setProjectVersion(optionStyle ? 2 : 1);

    std::string vm = make.chance(30) ? std::string() : make.anyText();
    project.setVmLibraryPath(vm);
    expected.binaryPath = vm.empty() ? "#internal#" : vm;

    std::string mainClass = make.anyText();
    project.setMainClass(mainClass);
    for (char& c : mainClass) c = c == '.' ? '/' : c;
    expected.mainClass = mainClass;

    make.arguments(project, expected);
    make.environment(project, expected);
    make.classPath(project, expected);
    make.properties(project, expected, optionStyle);

    // Modes outside the known values write no line: the launcher keeps Append / None.
    const int mode = static_cast<int>(make.below(4)) - (make.chance(5) ? 5 : 0);
    project.setClassPathMode(mode);
    expected.classPathMode = mode == 1 ? static_cast<int>(ClassPathMode::Prepend)
                             : mode == 2 ? static_cast<int>(ClassPathMode::Ignore)
                                         : static_cast<int>(ClassPathMode::Append);
    const int verify = static_cast<int>(make.below(4));
    project.setVerifyOption(verify);
    expected.verifyMode = verify == 0 ? static_cast<int>(VerifyMode::Remote)
                          : verify == 1 ? static_cast<int>(VerifyMode::All)
                                        : static_cast<int>(VerifyMode::None);

    project.setAsyncGcEnabled(make.chance(50));
    project.setClassGcEnabled(make.chance(50));
    project.setJitEnabled(make.chance(50));
    project.setConsoleWindow(make.chance(50));
    project.setRouteConsole(make.chance(50));
    expected.asyncGcDisabled = !project.asyncGcEnabled();
    expected.classGc = project.classGcEnabled();
    expected.jitDisabled = !project.jitEnabled();
    expected.console = project.consoleWindow();
    expected.routeConsole = project.routeConsole();

    project.setMinHeap(make.size());
    project.setMaxHeap(make.size());
    project.setMaxNativeStack(make.size());
    project.setMaxJavaStack(make.size());
    expected.minHeap = std::to_string(project.minHeap());
    expected.maxHeap = std::to_string(project.maxHeap());
    expected.nativeStack = std::to_string(project.maxNativeStack());
    expected.javaStack = std::to_string(project.maxJavaStack());
    make.extended(project, expected);
    return project;
}

TEST(BlockRoundTrip, EverySettingOfRandomProjectsComesBack) {
    ASSERT_FALSE(caskit_test::startupValue("CLASSPATH")) << "run without CLASSPATH";
    ASSERT_EQ(caskit_test::startupValue("CASKIT_RT_KNOWN"), std::optional<std::string>(kKnownValue));
    Maker make(20260131);
    for (int i = 0; i < 500; ++i) {
        bool optionStyle = false;
        Settings expected;
        const Project project = randomProject(make, optionStyle, expected);
        const std::string block = writtenBlock(project);
        const std::string actual = shown(readBack(block, optionStyle));
        if (actual == shown(expected)) continue;
        EXPECT_EQ(actual, shown(expected)) << "project " << i << ", block:\n" << block;
        break;
    }
}

}  // namespace
