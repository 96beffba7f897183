// caskit show PROJECT.csk: every setting of a project, one per line.
#include <cstdio>

#include "builder/engine/CodePage.h"
#include "builder/engine/ProjectFile.h"
#include "builder/engine/SettingTable.h"
#include "builder/engine/VersionText.h"
#include "cli/Arguments.h"
#include "cli/CodePageOption.h"
#include "cli/Commands.h"
#include "cli/ProjectLoad.h"

namespace {

void field(const char* name, const std::string& value) { std::printf("%-18s %s\n", name, value.c_str()); }

// Texts are shown in quotes with control characters escaped, so that
// empty values and line breaks stay visible; project text is printed as
// system text.
std::string quoted(const std::string& projectText) {
    const std::string text = ansiToSystem(projectText, commandCodePage());
    std::string out = "\"";
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

const char* onOff(bool v) { return v ? "on" : "off"; }

bool takesNoValue(const std::string&) { return false; }

std::string named(std::int32_t value, const char* const names[3]) {
    if (value >= 0 && value < 3) return names[value];
    return "unknown (" + std::to_string(value) + ")";
}

void list(const char* name, const std::vector<std::string>& entries) {
    field(name, std::to_string(entries.size()) + (entries.size() == 1 ? " entry" : " entries"));
    for (const std::string& e : entries) std::printf("  %s\n", quoted(e).c_str());
}

// Whether the icon at `iconPath` (project text) gives an image, read where
// compile reads it: a relative path counts from the project file's folder.
bool iconReadable(const std::string& projectPath, const std::string& iconPath, bool large) {
    if (iconPath.empty()) return false;
    Project scratch;
    scratch.textCodePage = commandCodePage();
    return !setIconFrom(scratch, large, resolvePath(projectFolderText(projectPath), iconPath));
}

// A setting beyond the original record, as "caskit new/set" take it.
void extendedField(const SettingInfo& s, const ExtendedSettings& e) {
    switch (s.kind) {
    case SettingKind::Text: field(s.label, quoted(e.*s.text)); break;
    case SettingKind::Switch: field(s.label, onOff(e.*s.flag)); break;
    case SettingKind::Number:
        field(s.label, s.numberMax && e.*s.number == 0 ? std::string("off") : std::to_string(e.*s.number));
        break;
    case SettingKind::Choice: {
        const char* name = choiceName(s, e.*s.number);
        field(s.label, name ? name : "unknown (" + std::to_string(e.*s.number) + ")");
        break;
    }
    case SettingKind::List: list(s.label, e.*s.list); break;
    }
}

}  // namespace

int runShow(const std::vector<std::string>& words) {
    std::vector<Argument> args;
    if (std::optional<int> done = readArguments("show", words, takesNoValue, args)) return *done;
    if (args.size() != 1 || !args[0].name.empty()) return usageError("show", "name one project file");
    const std::string& path = args[0].value;
    std::string error;
    std::optional<ProjectRecord> record = readProjectRecord(path, error);
    if (!record) {
        std::fprintf(stderr, "caskit show: %s\n", error.c_str());
        return 1;
    }
    // The icons are shown as stored and read once, from where compile reads
    // them; the project itself takes the other settings only.
    const std::string largeIcon = record->largeIconPath, smallIcon = record->smallIconPath;
    record->largeIconPath.clear();
    record->smallIconPath.clear();
    Project p;
    applyProjectRecord(p, *record);
    p.textCodePage = commandCodePage();
    p.projectPath = path;
    static const char* const jdks[3] = {"unknown (0)", "1.1", "2.0"};
    static const char* const modes[3] = {"append", "prepend", "ignore"};
    static const char* const verifies[3] = {"remote", "all", "none"};
    std::int16_t fv[4], pv[4];
    p.getFileVersion(fv[0], fv[1], fv[2], fv[3]);
    p.getProductVersion(pv[0], pv[1], pv[2], pv[3]);

    field("project", p.projectPath);
    field("jdk", named(p.getProjectVersion(), jdks));
    field("exe-name", quoted(p.exeName()));
    field("exe-folder", quoted(p.exeFolder()));
    field("target", quoted(p.exeFolder() + p.exeName()));
    field("vm", p.userDefinedVm ? "user defined" : "system");
    field("vm-library", quoted(p.vmLibraryPath()));
    field("main-class", quoted(p.mainClass()));
    field("arguments", quoted(p.arguments()));
    list("class-path", p.listEntries(ProjectList::ClassPath));
    list("property", p.listEntries(ProjectList::Properties));
    list("env", p.listEntries(ProjectList::Environment));
    field("class-path-mode", named(p.classPathMode(), modes));
    field("verify", named(p.verifyOption(), verifies));
    field("async-gc", onOff(p.asyncGcEnabled()));
    field("class-gc", onOff(p.classGcEnabled()));
    field("jit", onOff(p.jitEnabled()));
    field("console", onOff(p.consoleWindow()));
    field("route-console", onOff(p.routeConsole()));
    const auto heap = [&p](std::uint32_t size, std::uint32_t runtimeBit) {
        return p.extended().runtimeHeap & runtimeBit ? std::string("runtime default") : std::to_string(size) + " KB";
    };
    field("min-heap", heap(p.minHeap(), kRuntimeMinHeap));
    field("max-heap", heap(p.maxHeap(), kRuntimeMaxHeap));
    field("native-stack", std::to_string(p.maxNativeStack()) + " KB");
    field("java-stack", std::to_string(p.maxJavaStack()) + " KB");
    field("version-info", onOff(p.versionInfoEnabled));
    field("file-version", versionText(fv));
    field("product-version", versionText(pv));
    field("company", quoted(p.companyName()));
    field("copyright", quoted(p.legalCopyright()));
    field("trademarks", quoted(p.legalTrademarks()));
    field("comments", quoted(p.comments()));
    field("large-icon", quoted(largeIcon) + (iconReadable(path, largeIcon, true) ? "" : " (no image)"));
    field("small-icon", quoted(smallIcon) + (iconReadable(path, smallIcon, false) ? "" : " (no image)"));
    for (const SettingInfo& s : settingTable())
        if (s.option) extendedField(s, p.extended());
    // The code page the project's text is read in: recorded, or --code-page's.
    field("code-page", std::to_string(commandCodePage()) + (p.extended().codePage ? "" : " (not recorded)"));
    return 0;
}
