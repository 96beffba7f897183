// The project model: defaults, setters that mark the project modified only
// on a real change, the three string lists and the derived queries. The
// icon slots live in ProjectIcons.cpp.
#include "builder/engine/Project.h"

#include "platform/PlatformCode.h"

Project::Project() : Project(platform::platformCode() == platform::kPlatformNt4) {}

Project::Project(bool canUpdateResources) : resourceUpdateAvailable(canUpdateResources) {}

Project::~Project() = default;
Project::Project(Project&&) noexcept = default;
Project& Project::operator=(Project&&) noexcept = default;

void Project::setProjectVersion(std::int32_t version) {
    projectVersion_ = version;
    vmLibraryPath_.clear();
}

namespace {

// Stores `value` when it differs; returns whether it did.
template <typename T>
bool store(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

void Project::setExeName(const std::string& v) { markIf(store(exeName_, v)); }
void Project::setExeFolder(const std::string& v) { markIf(store(exeFolder_, v)); }
void Project::setVmLibraryPath(const std::string& v) { markIf(store(vmLibraryPath_, v)); }
void Project::setMainClass(const std::string& v) { markIf(store(mainClass_, v)); }
void Project::setArguments(const std::string& v) { markIf(store(arguments_, v)); }
void Project::setClassPathMode(std::int32_t v) { markIf(store(classPathMode_, v)); }
void Project::setVerifyOption(std::int32_t v) { markIf(store(verifyOption_, v)); }
void Project::setAsyncGcEnabled(bool v) { markIf(store(asyncGcEnabled_, v)); }
void Project::setClassGcEnabled(bool v) { markIf(store(classGcEnabled_, v)); }
void Project::setJitEnabled(bool v) { markIf(store(jitEnabled_, v)); }
void Project::setConsoleWindow(bool v) { markIf(store(consoleWindow_, v)); }
void Project::setRouteConsole(bool v) { markIf(store(routeConsole_, v)); }
void Project::setMinHeap(std::uint32_t v) { markIf(store(minHeap_, v)); }
void Project::setMaxHeap(std::uint32_t v) { markIf(store(maxHeap_, v)); }
void Project::setMaxNativeStack(std::uint32_t v) { markIf(store(maxNativeStack_, v)); }
void Project::setMaxJavaStack(std::uint32_t v) { markIf(store(maxJavaStack_, v)); }
void Project::setCompanyName(const std::string& v) { markIf(store(companyName_, v)); }
void Project::setLegalCopyright(const std::string& v) { markIf(store(legalCopyright_, v)); }
void Project::setLegalTrademarks(const std::string& v) { markIf(store(legalTrademarks_, v)); }
void Project::setComments(const std::string& v) { markIf(store(comments_, v)); }
void Project::setLargeIconPath(const std::string& v) { markIf(store(largeIconPath_, v)); }
void Project::setSmallIconPath(const std::string& v) { markIf(store(smallIconPath_, v)); }

namespace {

void getParts(const std::int16_t (&parts)[4], std::int16_t& a, std::int16_t& b, std::int16_t& c, std::int16_t& d) {
    a = parts[0];
    b = parts[1];
    c = parts[2];
    d = parts[3];
}

bool setParts(std::int16_t (&parts)[4], std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d) {
    if (parts[0] == a && parts[1] == b && parts[2] == c && parts[3] == d) return false;
    parts[0] = a;
    parts[1] = b;
    parts[2] = c;
    parts[3] = d;
    return true;
}

}  // namespace

void Project::getFileVersion(std::int16_t& a, std::int16_t& b, std::int16_t& c, std::int16_t& d) const {
    getParts(fileVersion_, a, b, c, d);
}
void Project::setFileVersion(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d) {
    markIf(setParts(fileVersion_, a, b, c, d));
}
void Project::getProductVersion(std::int16_t& a, std::int16_t& b, std::int16_t& c, std::int16_t& d) const {
    getParts(productVersion_, a, b, c, d);
}
void Project::setProductVersion(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d) {
    markIf(setParts(productVersion_, a, b, c, d));
}

const std::vector<std::string>& Project::listEntries(ProjectList which) const {
    switch (which) {
    case ProjectList::Properties: return properties_;
    case ProjectList::Environment: return environment_;
    case ProjectList::JvmOptions: return extended_.jvmOptions;
    case ProjectList::ClassPath: break;
    }
    return classPath_;
}

std::vector<std::string>& Project::list(ProjectList which) {
    // The same choice as listEntries, on a project that may be changed.
    return const_cast<std::vector<std::string>&>(static_cast<const Project&>(*this).listEntries(which));
}

int Project::listCount(ProjectList which) const { return static_cast<int>(listEntries(which).size()); }

void Project::listAdd(ProjectList which, const std::string& text) {
    list(which).push_back(text);
    modified = true;
}

void Project::listClear(ProjectList which) { list(which).clear(); }

std::string Project::listItem(ProjectList which, int index) const {
    const std::vector<std::string>& entries = listEntries(which);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return std::string();
    return entries[static_cast<std::size_t>(index)];
}

std::string Project::displayName() const {
    std::size_t slash = projectPath.rfind('\\');
    if (slash == std::string::npos) return projectPath;
    return projectPath.substr(slash + 1);
}
