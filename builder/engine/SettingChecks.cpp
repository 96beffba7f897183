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
