#include "builder/engine/SettingChecks.h"

#include "builder/engine/SettingTable.h"
#include "vmbind/JavaVersion.h"

namespace {

bool holdsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

const SettingInfo& setting(std::string ExtendedSettings::*field) {
    for (const SettingInfo& s : settingTable())
        if (s.text == field) return s;
    return settingTable().front();
}

// What a number setting that takes 1 up to its largest value, or off,
// answers to a value it does not take.
std::string rangeProblem(const SettingInfo& s, const std::string& value) {
    return "The " + std::string(s.label) + " setting \"" + value + "\" is not a number from 1 to " +
           std::to_string(s.numberMax) + " (or off).";
}

// A Java name: ASCII letters, digits, '_' and '$', not beginning with a
// digit; the letters of other scripts are taken as they are. (Compared by
// hand: the C library's isalnum is no import Windows 95 and NT 4.0 have.)
bool isJavaName(const std::string& name) {
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
    for (unsigned char c : name) {
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (c < 0x80 && !letterOrDigit && c != '_' && c != '$') return false;
    }
    return true;
}

// CLASS.METHOD: at least two Java names joined by dots (the class with
// its package, then the method).
bool isClassAndMethod(const std::string& text) {
    std::size_t start = 0, names = 0;
    for (std::size_t dot; (dot = text.find('.', start)) != std::string::npos; start = dot + 1, ++names)
        if (!isJavaName(text.substr(start, dot - start))) return false;
    return names > 0 && isJavaName(text.substr(start));
}

// A version bound that is set but no Java version.
std::optional<std::string> boundProblem(const std::string& bound, std::string ExtendedSettings::*field,
                                        JavaVersion& version) {
    const char* problem = nullptr;
    if (bound.empty() || readJavaVersion(bound.c_str(), version, problem)) return std::nullopt;
    const std::string why = std::string(problem) == "not a Java version" ? "" : " (" + std::string(problem) + ")";
    return "The " + std::string(setting(field).label) + " setting \"" + bound + "\" is not a Java version" + why +
           "; write it as 1.8, 11, 17.0.2 or 21.";
}

}  // namespace

std::optional<std::string> jvmOptionProblem(const std::string& option) {
    if (holdsLineBreak(option))
        return "The VM option \"" + option + "\" holds a line break; each VM option is one line.";
    if (option.empty() || option[0] != '-')
        return "The VM option \"" + option +
               "\" does not begin with \"-\", as every VM option does (-Xmx512m, --add-opens=...).";
    return std::nullopt;
}

std::optional<std::string> extendedSettingProblem(const Project& project) {
    const ExtendedSettings& e = project.extended();
    for (const std::string& option : e.jvmOptions)
        if (std::optional<std::string> problem = jvmOptionProblem(option)) return problem;
    for (const SettingInfo& s : settingTable())
        if (s.kind == SettingKind::Text && holdsLineBreak(e.*s.text))
            return "The " + std::string(s.label) + " setting holds a line break; it must be one line.";
    JavaVersion lowest, highest;
    if (auto problem = boundProblem(e.javaMinVersion, &ExtendedSettings::javaMinVersion, lowest)) return problem;
    if (auto problem = boundProblem(e.javaMaxVersion, &ExtendedSettings::javaMaxVersion, highest)) return problem;
    // A lowest version above what the highest covers leaves no runtime.
    if (lowest.count && highest.count && compareWithBound(lowest, highest) > 0)
        return "The " + std::string(setting(&ExtendedSettings::javaMinVersion).label) + " setting " +
               e.javaMinVersion + " is above the " + setting(&ExtendedSettings::javaMaxVersion).label + " setting " +
               e.javaMaxVersion + ": no Java version is in between.";
    for (const SettingInfo& s : settingTable())
        if (s.kind == SettingKind::Number && s.numberMax && e.*s.number > s.numberMax)
            return rangeProblem(s, std::to_string(e.*s.number));
    if (!e.instanceHandler.empty() && !isClassAndMethod(e.instanceHandler))
        return "The " + std::string(setting(&ExtendedSettings::instanceHandler).label) + " setting \"" +
               e.instanceHandler + "\" is not CLASS.METHOD, such as org.example.App.handOver (the class with its "
               "package, then its static method).";
    // Only the JDK 2.0 launcher has a console twin and reads its own jar.
    if (project.getProjectVersion() == static_cast<std::int32_t>(ProjectVersion::Jdk11)) {
        if (e.consoleProgram)
            return std::string("A console program is made from the JDK 2.0 launcher; a JDK 1.1 project cannot be one.");
        if (!e.embeddedJar.empty())
            return std::string("Only the JDK 2.0 launcher reads a jar inside its own file; a JDK 1.1 project cannot "
                               "embed one.");
    }
    return std::nullopt;
}

std::optional<std::string> settingNumberProblem(std::uint32_t ExtendedSettings::*field, const std::string& typed,
                                                std::uint32_t& value) {
    const SettingInfo* found = nullptr;
    for (const SettingInfo& s : settingTable())
        if (s.number == field) found = &s;
    if (!found || !found->numberMax) return std::string("This setting takes no number.");
    // Ten digits are enough to be above every largest value.
    const bool digits = typed.size() <= 10 && typed.find_first_not_of("0123456789") == std::string::npos;
    std::uint64_t n = 0;
    for (std::size_t i = 0; digits && i < typed.size(); ++i) n = n * 10 + static_cast<std::uint64_t>(typed[i] - '0');
    if (!digits || n > found->numberMax) return rangeProblem(*found, typed);
    value = static_cast<std::uint32_t>(n);
    return std::nullopt;
}
