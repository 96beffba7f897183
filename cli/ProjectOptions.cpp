// "caskit new" options: each checks its value and calls the project's
// setter, so a written project is exactly what the builder would save.
#include "cli/ProjectOptions.h"

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <map>

#include "builder/engine/SettingChecks.h"
#include "builder/engine/SettingTable.h"
#include "platform/PathSeparator.h"

namespace {

using Apply = std::function<std::optional<std::string>(Project&, const std::string&)>;
using Error = std::optional<std::string>;

Error onOff(const std::string& value, bool& out) {
    if (value == "on" || value == "1" || value == "yes" || value == "true") {
        out = true;
        return std::nullopt;
    }
    if (value == "off" || value == "0" || value == "no" || value == "false") {
        out = false;
        return std::nullopt;
    }
    return "expected on or off, not \"" + value + "\"";
}

Error kilobytes(const std::string& value, std::uint32_t& out) {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
        return "expected a number of kilobytes, not \"" + value + "\"";
    errno = 0;
    unsigned long long n = std::strtoull(value.c_str(), nullptr, 10);
    if (errno == ERANGE || n > 0xFFFFFFFFull) return "\"" + value + "\" is larger than 4294967295";
    out = static_cast<std::uint32_t>(n);
    return std::nullopt;
}

// Four parts "a.b.c.d", each 0..65535 (the project keeps 16 bits each).
Error versionParts(const std::string& value, std::int16_t (&parts)[4]) {
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        std::size_t end = i == 3 ? value.size() : value.find('.', start);
        if (end == std::string::npos) return "expected four parts a.b.c.d, not \"" + value + "\"";
        std::string part = value.substr(start, end - start);
        if (part.empty() || part.size() > 5 || part.find_first_not_of("0123456789") != std::string::npos)
            return "expected four numbers a.b.c.d, not \"" + value + "\"";
        long n = std::strtol(part.c_str(), nullptr, 10);
        if (n > 65535) return "version part " + part + " is outside 0..65535";
        parts[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(n));
        start = end + 1;
    }
    return std::nullopt;
}

Error nameValue(const std::string& value, const char* what) {
    std::size_t eq = value.find('=');
    if (eq == std::string::npos || eq == 0) return std::string("expected ") + what + "=VALUE, not \"" + value + "\"";
    return std::nullopt;
}

Apply boolSetter(void (Project::*set)(bool)) {
    return [set](Project& p, const std::string& v) -> Error {
        bool on = false;
        if (Error e = onOff(v, on)) return e;
        (p.*set)(on);
        return std::nullopt;
    };
}

Apply sizeSetter(void (Project::*set)(std::uint32_t)) {
    return [set](Project& p, const std::string& v) -> Error {
        std::uint32_t n = 0;
        if (Error e = kilobytes(v, n)) return e;
        (p.*set)(n);
        return std::nullopt;
    };
}

// A heap size: kilobytes, or "default" for the runtime's own choice (JDK
// 2.0 projects; JDK 1.1 runtimes have no default to fall back on).
Apply heapSetter(void (Project::*set)(std::uint32_t), std::uint32_t runtimeBit) {
    return [set, runtimeBit](Project& p, const std::string& v) -> Error {
        std::uint32_t bits = p.extended().runtimeHeap & ~runtimeBit;
        if (v == "default") {
            if (p.getProjectVersion() != static_cast<std::int32_t>(ProjectVersion::Jdk20))
                return std::string("\"default\" is for JDK 2.0 projects; a JDK 1.1 runtime needs a number");
            bits |= runtimeBit;
        } else {
            std::uint32_t n = 0;
            if (Error e = kilobytes(v, n)) return *e + " or default";
            (p.*set)(n);
        }
        p.setExtended(&ExtendedSettings::runtimeHeap, bits);
        return std::nullopt;
    };
}

Apply versionSetter(void (Project::*set)(std::int16_t, std::int16_t, std::int16_t, std::int16_t)) {
    return [set](Project& p, const std::string& v) -> Error {
        std::int16_t parts[4];
        if (Error e = versionParts(v, parts)) return e;
        (p.*set)(parts[0], parts[1], parts[2], parts[3]);
        return std::nullopt;
    };
}

Apply textSetter(void (Project::*set)(const std::string&)) {
    return [set](Project& p, const std::string& v) -> Error {
        (p.*set)(v);
        return std::nullopt;
    };
}

// The option of a setting beyond the original record, by its kind.
Apply extendedSetter(const SettingInfo& s) {
    switch (s.kind) {
    case SettingKind::Text:
        return [&s](Project& p, const std::string& v) -> Error {
            p.setExtended(s.text, v);
            return std::nullopt;
        };
    case SettingKind::Switch:
        return [&s](Project& p, const std::string& v) -> Error {
            bool on = false;
            if (Error e = onOff(v, on)) return e;
            p.setExtended(s.flag, on);
            return std::nullopt;
        };
    case SettingKind::Choice:
        return [&s](Project& p, const std::string& v) -> Error {
            for (std::uint32_t i = 0; s.choices[i]; ++i) {
                if (v != s.choices[i]) continue;
                p.setExtended(s.number, i);
                return std::nullopt;
            }
            std::string names;
            for (std::uint32_t i = 0; s.choices[i]; ++i)
                names += std::string(i == 0 ? "" : s.choices[i + 1] ? ", " : " or ") + s.choices[i];
            return "expected " + names + ", not \"" + v + "\"";
        };
    case SettingKind::List:
        // The only list beyond the original ones: the VM options.
        return [](Project& p, const std::string& v) -> Error {
            if (std::optional<std::string> problem = jvmOptionProblem(v)) return problem;
            p.listAdd(ProjectList::JvmOptions, v);
            return std::nullopt;
        };
    case SettingKind::Number:
        if (!s.numberMax) break;
        return [&s](Project& p, const std::string& v) -> Error {
            std::uint32_t n = 0;
            if (v != "off") {
                const bool digits = !v.empty() && v.size() <= 9 && v.find_first_not_of("0123456789") == std::string::npos;
                for (std::size_t i = 0; digits && i < v.size(); ++i) n = n * 10 + static_cast<std::uint32_t>(v[i] - '0');
                if (n < 1 || n > s.numberMax)
                    return "expected a number from 1 to " + std::to_string(s.numberMax) + " or off, not \"" + v + "\"";
            }
            p.setExtended(s.number, n);
            return std::nullopt;
        };
    }
    return [](Project&, const std::string&) -> Error { return std::string("cannot be set this way"); };
}

std::map<std::string, Apply> makeOptions() {
    std::map<std::string, Apply> table = {
        {"exe-name", textSetter(&Project::setExeName)},
        {"exe-folder",
         [](Project& p, const std::string& v) -> Error {
             // The target path is the folder followed directly by the name.
             bool ended = !v.empty() && (v.back() == '/' || v.back() == '\\');
             p.setExeFolder(v.empty() || ended ? v : v + platform::kPathSeparator);
             return std::nullopt;
         }},
        {"vm-library",
         [](Project& p, const std::string& v) -> Error {
             p.userDefinedVm = !v.empty();
             p.setVmLibraryPath(v);
             return std::nullopt;
         }},
        {"main-class", textSetter(&Project::setMainClass)},
        {"arguments", textSetter(&Project::setArguments)},
        {"class-path",
         [](Project& p, const std::string& v) -> Error {
             if (v.empty()) return std::string("a class-path entry cannot be empty");
             p.listAdd(ProjectList::ClassPath, v);
             return std::nullopt;
         }},
        {"property",
         [](Project& p, const std::string& v) -> Error {
             if (Error e = nameValue(v, "NAME")) return e;
             p.listAdd(ProjectList::Properties, v);
             return std::nullopt;
         }},
        {"env",
         [](Project& p, const std::string& v) -> Error {
             if (Error e = nameValue(v, "NAME")) return e;
             p.listAdd(ProjectList::Environment, v);
             return std::nullopt;
         }},
        {"class-path-mode",
         [](Project& p, const std::string& v) -> Error {
             if (v == "append") p.setClassPathMode(0);
             else if (v == "prepend") p.setClassPathMode(1);
             else if (v == "ignore") p.setClassPathMode(2);
             else return "expected append, prepend or ignore, not \"" + v + "\"";
             return std::nullopt;
         }},
        {"verify",
         [](Project& p, const std::string& v) -> Error {
             if (v == "remote") p.setVerifyOption(0);
             else if (v == "all") p.setVerifyOption(1);
             else if (v == "none") p.setVerifyOption(2);
             else return "expected remote, all or none, not \"" + v + "\"";
             return std::nullopt;
         }},
        {"async-gc", boolSetter(&Project::setAsyncGcEnabled)},
        {"class-gc", boolSetter(&Project::setClassGcEnabled)},
        {"jit", boolSetter(&Project::setJitEnabled)},
        {"console", boolSetter(&Project::setConsoleWindow)},
        {"route-console", boolSetter(&Project::setRouteConsole)},
        {"min-heap", heapSetter(&Project::setMinHeap, kRuntimeMinHeap)},
        {"max-heap", heapSetter(&Project::setMaxHeap, kRuntimeMaxHeap)},
        {"native-stack", sizeSetter(&Project::setMaxNativeStack)},
        {"java-stack", sizeSetter(&Project::setMaxJavaStack)},
        {"version-info",
         [](Project& p, const std::string& v) -> Error {
             bool on = false;
             if (Error e = onOff(v, on)) return e;
             p.versionInfoEnabled = on;
             return std::nullopt;
         }},
        {"file-version", versionSetter(&Project::setFileVersion)},
        {"product-version", versionSetter(&Project::setProductVersion)},
        {"company", textSetter(&Project::setCompanyName)},
        {"copyright", textSetter(&Project::setLegalCopyright)},
        {"trademarks", textSetter(&Project::setLegalTrademarks)},
        {"comments", textSetter(&Project::setComments)},
        {"large-icon", textSetter(&Project::setLargeIconPath)},
        {"small-icon", textSetter(&Project::setSmallIconPath)},
    };
    for (const SettingInfo& s : settingTable())
        if (s.option) table.emplace(s.option, extendedSetter(s));
    return table;
}

const std::map<std::string, Apply>& options() {
    static const std::map<std::string, Apply> table = makeOptions();
    return table;
}

// "  --name VALUE" padded to the help text's column, then the text wrapped
// at blanks to the width of the other entries.
void helpEntry(std::string& out, const std::string& option, const std::string& text) {
    constexpr std::size_t kColumn = 29, kWidth = 79;
    const std::string indent(kColumn, ' ');
    std::string line = "  --" + option;
    if (line.size() + 1 > kColumn) {
        out += line + "\n";
        line = indent;
    }
    line.resize(kColumn, ' ');
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (line.size() > kColumn && line.size() + 1 + word.size() > kWidth) {
            out += line + "\n";
            line = indent;
        }
        line += (line.size() > kColumn ? " " : "") + word;
        start = end + 1;
    }
    out += line + "\n";
}

}  // namespace

bool projectOptionTakesValue(const std::string& name) { return name != "help"; }

std::optional<std::string> applyProjectOption(Project& project, const std::string& name, const std::string& value) {
    auto found = options().find(name);
    if (found == options().end()) return "unknown option --" + name;
    // The launcher reads its settings line by line: only the argument text
    // may span lines (each line break is written as a blank).
    static const char* const singleLine[] = {"exe-name", "exe-folder", "vm-library", "main-class",
                                             "class-path", "property",  "env"};
    const SettingInfo* extended = settingByOption(name);
    bool oneLine = extended != nullptr;
    for (const char* option : singleLine) oneLine = oneLine || name == option;
    if (oneLine && value.find_first_of("\r\n") != std::string::npos)
        return "--" + name + ": the value holds a line break; only --arguments may";
    if (Error e = found->second(project, value)) return "--" + name + ": " + *e;
    return std::nullopt;
}

std::string projectOptionsHelp() {
    std::string help = "  --exe-name NAME            file name of the executable (app.exe)\n"
           "  --exe-folder DIR           folder of the executable (a separator is added when\n"
           "                             missing)\n"
           "  --vm-library PATH          use this VM library (javai.dll, jvm.dll, libjvm.so)\n"
           "                             instead of the system's Java runtime (an empty\n"
           "                             PATH means the system's runtime, the default)\n"
           "  --main-class CLASS         class holding main, dotted (com.example.Main)\n"
           "  --arguments TEXT           arguments passed to main, after the command line's\n"
           "  --class-path ENTRY         class-path entry (repeat for more, kept in order)\n"
           "  --property NAME=VALUE      Java system property (repeatable)\n"
           "  --env NAME=VALUE           environment variable set before start (repeatable)\n"
           "  --class-path-mode MODE     append (default), prepend or ignore CLASSPATH\n"
           "  --verify MODE              byte-code verification: remote (default), all, none\n"
           "  --async-gc on|off          asynchronous garbage collection (default off)\n"
           "  --class-gc on|off          garbage collection of classes (default off)\n"
           "  --jit on|off               just-in-time compiler (default on for JDK 2.0,\n"
           "                             off for JDK 1.1); off runs today's runtimes\n"
           "                             in the interpreter, many times slower\n"
           "  --console on|off           console window (default off)\n"
           "  --route-console on|off     route the console to a file (default off)\n"
           "  --min-heap KB|default      minimum heap in kilobytes, or default: the\n"
           "                             runtime's own (JDK 2.0; default for a new JDK 2.0\n"
           "                             project: runtime default; JDK 1.1: 1024)\n"
           "  --max-heap KB|default      maximum heap in kilobytes, or default: the\n"
           "                             runtime's own, sized by the machine's memory\n"
           "                             (default for a new JDK 2.0 project: runtime\n"
           "                             default; JDK 1.1: 16384)\n"
           "  --native-stack KB          stack for native code in kilobytes (default 128)\n"
           "  --java-stack KB            stack for Java code in kilobytes (default 512)\n"
           "                             (JDK 1.1 sizes are at most 2097151 KB)\n"
           "  --version-info on|off      write a version block into Windows executables\n"
           "                             (default off)\n"
           "  --file-version A.B.C.D     file version (default 1.0.0.0)\n"
           "  --product-version A.B.C.D  product version (default 1.0.0.0)\n"
           "  --company TEXT             CompanyName of the version block\n"
           "  --copyright TEXT           LegalCopyright of the version block\n"
           "  --trademarks TEXT          LegalTrademarks of the version block\n"
           "  --comments TEXT            Comments of the version block\n"
           "  --large-icon FILE          32 x 32 icon from a .bmp, .ico or .cur file\n"
           "  --small-icon FILE          16 x 16 icon from a .bmp, .ico or .cur file\n";
    for (const SettingInfo& s : settingTable())
        if (s.option) helpEntry(help, std::string(s.option) + " " + s.valueHelp, s.help);
    return help;
}
