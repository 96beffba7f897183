#include "builder/engine/SettingChecks.h"

#include "builder/engine/SettingTable.h"

namespace {

bool holdsLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

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
