// The parameter block a produced executable carries: LF-ended lines in a
// fixed order, every setting written whatever the project version, values
// copied byte for byte (nothing quoted or escaped), except that the
// argument text is written as one line.
#include <string>

#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/LineBreaks.h"
#include "builder/engine/SettingTable.h"
#include "launcher/BlockKeywords.h"

namespace {

void line(std::string& out, const std::string& text) {
    out += text;
    out += '\n';
}

void line(std::string& out, BlockKeyword keyword) { line(out, blockKeywordText(keyword)); }

template <typename Keyword>
void keywordLine(std::string& out, Keyword keyword, const std::string& value) {
    line(out, keyword);
    line(out, value);
}

template <typename Keyword>
void switchLine(std::string& out, Keyword keyword, bool on) { keywordLine(out, keyword, on ? "1" : "0"); }

template <typename Keyword>
void countedList(std::string& out, Keyword keyword, const std::vector<std::string>& entries) {
    keywordLine(out, keyword, std::to_string(entries.size()));
    for (const std::string& entry : entries) line(out, entry);
}

}  // namespace

std::string buildParameterBlock(const Project& project) { return buildParameterBlock(project, project.mainClass()); }

std::string buildParameterBlock(const Project& project, const std::string& mainClass) {
    std::string out;
    const std::string& vm = project.vmLibraryPath();
    keywordLine(out, BlockKeyword::BinaryPath, vm.empty() ? "#internal#" : vm);
    keywordLine(out, BlockKeyword::ClassName, mainClass);
    keywordLine(out, BlockKeyword::Parameters, joinLines(project.arguments()));

    // A mode outside the three known values writes no line, which leaves
    // the launcher's own default in place.
    switch (static_cast<ProjectClassPathMode>(project.classPathMode())) {
    case ProjectClassPathMode::Append: line(out, BlockKeyword::AppendCp); break;
    case ProjectClassPathMode::Prepend: line(out, BlockKeyword::PrependCp); break;
    case ProjectClassPathMode::Ignore: line(out, BlockKeyword::NoCp); break;
    }

    const std::vector<std::string>& environment = project.listEntries(ProjectList::Environment);
    keywordLine(out, BlockKeyword::Environment, std::to_string(environment.size()));
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
    countedList(out, BlockKeyword::ClassPath, project.listEntries(ProjectList::ClassPath));
    countedList(out, BlockKeyword::Properties, project.listEntries(ProjectList::Properties));

    switchLine(out, BlockKeyword::NoAsyncGc, !project.asyncGcEnabled());
    switchLine(out, BlockKeyword::NoClassGc, !project.classGcEnabled());
    switch (static_cast<VerifyOption>(project.verifyOption())) {
    case VerifyOption::RemoteOnly: line(out, BlockKeyword::VerifyRemote); break;
    case VerifyOption::All: line(out, BlockKeyword::Verify); break;
    case VerifyOption::None: line(out, BlockKeyword::NoVerify); break;
    }
    switchLine(out, BlockKeyword::DisableJit, !project.jitEnabled());
    switchLine(out, BlockKeyword::Console, project.consoleWindow());
    switchLine(out, BlockKeyword::RouteConsole, project.routeConsole());

    keywordLine(out, BlockKeyword::MinHeap, std::to_string(project.minHeap()));
    keywordLine(out, BlockKeyword::MaxHeap, std::to_string(project.maxHeap()));
    keywordLine(out, BlockKeyword::MaxCStack, std::to_string(project.maxNativeStack()));
    keywordLine(out, BlockKeyword::MaxJavaStack, std::to_string(project.maxJavaStack()));

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
    if (!extended.embeddedJar.empty()) switchLine(out, BlockKeyword::EmbeddedJar, true);
    return out;
}

std::string splashImageRecord(std::uint64_t offset, std::uint64_t length) {
    std::string out;
    keywordLine(out, BlockKeyword::SplashImage, std::to_string(offset));
    line(out, std::to_string(length));
    return out;
}
