// Saving and opening ".csk" project files. The record itself is written
// and read by ProjectRecord; here are the dialogs, the files and the
// mapping between the record and a Project.
#include "builder/engine/ProjectFile.h"

#include "builder/engine/IconLoading.h"
#include "builder/engine/ProjectRecord.h"
#include "platform/FileSystem.h"

namespace {

// No real project comes near this; a larger file is not a project file.
constexpr std::uint64_t kMaxProjectFileSize = 4u << 20;

ProjectRecord recordOf(const Project& p) {
    ProjectRecord r;
    r.reserved = p.reserved;
    r.projectVersion = p.getProjectVersion();
    r.exeName = p.exeName();
    r.exeFolder = p.exeFolder();
    r.userDefinedVm = p.userDefinedVm;
    r.vmLibraryPath = p.vmLibraryPath();
    r.mainClass = p.mainClass();
    r.arguments = p.arguments();
    r.classPath = p.listEntries(ProjectList::ClassPath);
    r.properties = p.listEntries(ProjectList::Properties);
    r.environment = p.listEntries(ProjectList::Environment);
    r.classPathMode = p.classPathMode();
    r.verifyOption = p.verifyOption();
    r.asyncGcEnabled = p.asyncGcEnabled();
    r.classGcEnabled = p.classGcEnabled();
    r.jitEnabled = p.jitEnabled();
    r.consoleWindow = p.consoleWindow();
    r.routeConsole = p.routeConsole();
    r.minHeap = p.minHeap();
    r.maxHeap = p.maxHeap();
    r.maxNativeStack = p.maxNativeStack();
    r.maxJavaStack = p.maxJavaStack();
    r.versionInfoEnabled = p.versionInfoEnabled;
    p.getFileVersion(r.fileVersion[0], r.fileVersion[1], r.fileVersion[2], r.fileVersion[3]);
    p.getProductVersion(r.productVersion[0], r.productVersion[1], r.productVersion[2], r.productVersion[3]);
    r.companyName = p.companyName();
    r.legalCopyright = p.legalCopyright();
    r.legalTrademarks = p.legalTrademarks();
    r.comments = p.comments();
    r.largeIconPath = p.largeIconPath();
    r.smallIconPath = p.smallIconPath();
    r.extended = p.extended();
    return r;
}

// Through the setters, as every other field.
void applyExtendedSettings(Project& p, const ExtendedSettings& e) {
#define CASKIT_APPLY_SETTING(type, field) p.setExtended(&ExtendedSettings::field, e.field);
    CASKIT_EXTENDED_SETTINGS(CASKIT_APPLY_SETTING)
#undef CASKIT_APPLY_SETTING
    p.keepUnknownRecords(e.unknownRecords);
}

void applyRecord(Project& p, const ProjectRecord& r) {
    p.reserved = 0;  // read and dropped
    p.setProjectVersion(r.projectVersion);
    // Empty strings leave the fields at their defaults (which are empty).
    p.setExeName(r.exeName);
    p.setExeFolder(r.exeFolder);
    p.userDefinedVm = r.userDefinedVm;
    p.setVmLibraryPath(r.vmLibraryPath);
    p.setMainClass(r.mainClass);
    p.setArguments(r.arguments);
    for (const std::string& e : r.classPath) p.listAdd(ProjectList::ClassPath, e);
    for (const std::string& e : r.properties) p.listAdd(ProjectList::Properties, e);
    for (const std::string& e : r.environment) p.listAdd(ProjectList::Environment, e);
    p.setClassPathMode(r.classPathMode);
    p.setVerifyOption(r.verifyOption);
    p.setAsyncGcEnabled(r.asyncGcEnabled);
    p.setClassGcEnabled(r.classGcEnabled);
    p.setJitEnabled(r.jitEnabled);
    p.setConsoleWindow(r.consoleWindow);
    p.setRouteConsole(r.routeConsole);
    p.setMinHeap(r.minHeap);
    p.setMaxHeap(r.maxHeap);
    p.setMaxNativeStack(r.maxNativeStack);
    p.setMaxJavaStack(r.maxJavaStack);
    p.versionInfoEnabled = r.versionInfoEnabled;
    p.setFileVersion(r.fileVersion[0], r.fileVersion[1], r.fileVersion[2], r.fileVersion[3]);
    p.setProductVersion(r.productVersion[0], r.productVersion[1], r.productVersion[2], r.productVersion[3]);
    p.setCompanyName(r.companyName);
    p.setLegalCopyright(r.legalCopyright);
    p.setLegalTrademarks(r.legalTrademarks);
    p.setComments(r.comments);
    applyExtendedSettings(p, r.extended);
    p.setLargeIconPath(r.largeIconPath);
    p.setSmallIconPath(r.smallIconPath);
}

// The images of the icon paths just opened. An image that cannot be read
// leaves its slot empty (the path stays set) and the project still opens;
// a bitmap's problem is reported about the file.
void readIcons(Project& p, Reporter& reporter) {
    for (IconSlot slot : {IconSlot::Large, IconSlot::Small}) {
        const std::string& path = slot == IconSlot::Large ? p.largeIconPath() : p.smallIconPath();
        if (!path.empty()) readIconImages(p, slot, &reporter);
    }
}

// Writes `bytes` to a new file beside `path` (beside the file it names
// when `path` is a link) and moves it over that file only after the whole
// write succeeded, so a failure never destroys the previous file, which
// keeps its mode. Reports every failure.
bool writeFileSafely(const std::string& path, const std::string& bytes, Reporter& reporter) {
    platform::ReplacementFile file;
    std::string problem;
    if (!file.create(platform::linkTarget(path), ".saving"))
        problem = file.problem();
    else if (!file.file().write(bytes) || !file.file().flush())
        problem = platform::lastErrorText();
    else if (!file.commit())
        problem = file.problem();
    else
        return true;
    reporter.error(kProjectFileCaption, problem);
    return false;
}

}  // namespace

std::string proposedProjectFileName(const std::string& mainClass) {
    if (mainClass.empty()) return std::string();
    std::size_t dot = mainClass.rfind('.');
    return (dot == std::string::npos ? mainClass : mainClass.substr(dot + 1)) + ".csk";
}

std::string serializeProject(const Project& project) { return encodeProjectRecord(recordOf(project)); }

void applyProjectRecord(Project& project, const ProjectRecord& record) { applyRecord(project, record); }

bool parseProjectRecord(Project& project, const std::string& bytes) {
    std::optional<ProjectRecord> record = decodeProjectRecord(bytes);
    if (!record) return false;
    applyRecord(project, *record);
    return true;
}

bool saveProject(Project& project, Reporter& reporter) {
    if (!project.modified) return true;
    if (project.projectPath.empty()) return false;
    if (!writeFileSafely(project.projectPath, serializeProject(project), reporter)) return false;
    project.modified = false;
    return true;
}

bool openProject(Project& project, const std::string& path, Reporter& reporter) {
    if (path.empty()) return false;
    project.projectPath = path;
    platform::File file = platform::openFile(project.projectPath, platform::File::Mode::ReadExclusive);
    if (!file.isOpen()) {
        reporter.error(kProjectFileCaption, platform::lastErrorText());
        return false;
    }
    std::optional<std::uint64_t> size = platform::fileSize(file);
    if (!size || *size > kMaxProjectFileSize) return false;
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    if (!file.readExact(bytes.data(), bytes.size())) return false;
    file.close();
    if (!parseProjectRecord(project, bytes)) return false;
    readIcons(project, reporter);
    project.modified = false;
    return true;
}
