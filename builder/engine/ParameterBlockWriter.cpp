// The parameter block a produced executable carries: LF-ended lines in a
// fixed order, every setting written whatever the project version, values
// copied byte for byte (nothing quoted or escaped), except that the
// argument text is written as one line.
#include <string>

#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/LineBreaks.h"
#include "builder/engine/SettingTable.h"

namespace {

void line(std::string& out, const std::string& text) {
    out += text;
    out += '\n';
}

void keywordLine(std::string& out, const char* keyword, const std::string& value) {
    line(out, keyword);
    line(out, value);
}

void switchLine(std::string& out, const char* keyword, bool on) { keywordLine(out, keyword, on ? "1" : "0"); }

void countedList(std::string& out, const char* keyword, const std::vector<std::string>& entries) {
    keywordLine(out, keyword, std::to_string(entries.size()));
    for (const std::string& entry : entries) line(out, entry);
}

}  // namespace

std::string buildParameterBlock(const Project& project) { return buildParameterBlock(project, project.mainClass()); }

std::string buildParameterBlock(const Project& project, const std::string& mainClass) {
    std::string out;
    keywordLine(out, "binarypath", project.vmLibraryPath().empty() ? "#internal#" : project.vmLibraryPath());
    keywordLine(out, "classname", mainClass);
    keywordLine(out, "parameters", joinLines(project.arguments()));

    // A mode outside the three known values writes no line, which leaves
    // the launcher's own default in place.
    switch (static_cast<ProjectClassPathMode>(project.classPathMode())) {
    case ProjectClassPathMode::Append: line(out, "appendcp"); break;
    case ProjectClassPathMode::Prepend: line(out, "prependcp"); break;
    case ProjectClassPathMode::Ignore: line(out, "nocp"); break;
    }

    const std::vector<std::string>& environment = project.listEntries(ProjectList::Environment);
    keywordLine(out, "environment", std::to_string(environment.size()));
    for (const std::string& entry : environment) {
        std::size_t eq = entry.find('=');
        if (eq == std::string::npos) {
            line(out, entry);
            line(out, std::string());
        } else {
            line(out, entry.substr(0, eq));
            line(out, entry.substr(eq + 1));
        }
    }
    countedList(out, "classpath", project.listEntries(ProjectList::ClassPath));
    countedList(out, "properties", project.listEntries(ProjectList::Properties));

    switchLine(out, "noasyncgc", !project.asyncGcEnabled());
    switchLine(out, "noclassgc", !project.classGcEnabled());
    switch (static_cast<VerifyOption>(project.verifyOption())) {
    case VerifyOption::RemoteOnly: line(out, "verifyremote"); break;
    case VerifyOption::All: line(out, "verify"); break;
    case VerifyOption::None: line(out, "noverify"); break;
    }
    switchLine(out, "disablejit", !project.jitEnabled());
    switchLine(out, "console", project.consoleWindow());
    switchLine(out, "routeconsole", project.routeConsole());

    keywordLine(out, "minheap", std::to_string(project.minHeap()));
    keywordLine(out, "maxheap", std::to_string(project.maxHeap()));
    keywordLine(out, "maxcstack", std::to_string(project.maxNativeStack()));
    keywordLine(out, "maxjavastack", std::to_string(project.maxJavaStack()));

    // The settings beyond these, each only when it is not at its default,
    // so that a project using none of them gets the block it always got.
    const ExtendedSettings& extended = project.extended();
    for (const SettingInfo& s : settingTable()) {
        if (!s.keyword || isDefault(s, extended)) continue;
        switch (s.kind) {
        case SettingKind::Text: keywordLine(out, s.keyword, extended.*s.text); break;
        case SettingKind::Switch: switchLine(out, s.keyword, extended.*s.flag); break;
        case SettingKind::Number: keywordLine(out, s.keyword, std::to_string(extended.*s.number)); break;
        case SettingKind::Choice: keywordLine(out, s.keyword, choiceName(s, extended.*s.number)); break;
        case SettingKind::List: countedList(out, s.keyword, extended.*s.list); break;
        }
    }
    // The launcher needs only to know that its own file holds the jar.
    if (!extended.embeddedJar.empty()) switchLine(out, "embeddedjar", true);
    return out;
}
