#pragma once
// The builder's settings object for one project.

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "builder/engine/CodePage.h"
#include "builder/engine/ExtendedSettings.h"
#include "builder/engine/Globals.h"

enum class ProjectVersion : std::int32_t { Jdk11 = 1, Jdk20 = 2 };
enum class ProjectClassPathMode : std::int32_t { Append = 0, Prepend = 1, Ignore = 2 };
enum class VerifyOption : std::int32_t { RemoteOnly = 0, All = 1, None = 2 };
// The string lists of a project: the three of the original record, and
// the VM options (ExtendedSettings::jvmOptions).
enum class ProjectList { ClassPath, Properties, Environment, JvmOptions };

class Project {
public:
    // resourceUpdateAvailable defaults to whether the platform code is 0x30000.
    Project();
    explicit Project(bool resourceUpdateAvailable);
    virtual ~Project();
    Project(Project&&) noexcept;
    Project& operator=(Project&&) noexcept;
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    // Stores the version (any 32-bit value is kept) and empties vmLibraryPath;
    // does not mark the project modified.
    void setProjectVersion(std::int32_t version);
    std::int32_t getProjectVersion() const { return projectVersion_; }

    // Setters store and mark modified only when the value differs
    // (strings byte by byte, including length).
    const std::string& exeName() const { return exeName_; }
    void setExeName(const std::string& v);
    const std::string& exeFolder() const { return exeFolder_; }
    void setExeFolder(const std::string& v);
    const std::string& vmLibraryPath() const { return vmLibraryPath_; }
    void setVmLibraryPath(const std::string& v);
    const std::string& mainClass() const { return mainClass_; }
    void setMainClass(const std::string& v);
    const std::string& arguments() const { return arguments_; }
    void setArguments(const std::string& v);
    std::int32_t classPathMode() const { return classPathMode_; }
    void setClassPathMode(std::int32_t v);
    std::int32_t verifyOption() const { return verifyOption_; }
    void setVerifyOption(std::int32_t v);
    bool asyncGcEnabled() const { return asyncGcEnabled_; }
    void setAsyncGcEnabled(bool v);
    bool classGcEnabled() const { return classGcEnabled_; }
    void setClassGcEnabled(bool v);
    bool jitEnabled() const { return jitEnabled_; }
    void setJitEnabled(bool v);
    bool consoleWindow() const { return consoleWindow_; }
    void setConsoleWindow(bool v);
    bool routeConsole() const { return routeConsole_; }
    void setRouteConsole(bool v);
    std::uint32_t minHeap() const { return minHeap_; }
    void setMinHeap(std::uint32_t v);
    std::uint32_t maxHeap() const { return maxHeap_; }
    void setMaxHeap(std::uint32_t v);
    std::uint32_t maxNativeStack() const { return maxNativeStack_; }
    void setMaxNativeStack(std::uint32_t v);
    std::uint32_t maxJavaStack() const { return maxJavaStack_; }
    void setMaxJavaStack(std::uint32_t v);
    const std::string& companyName() const { return companyName_; }
    void setCompanyName(const std::string& v);
    const std::string& legalCopyright() const { return legalCopyright_; }
    void setLegalCopyright(const std::string& v);
    const std::string& legalTrademarks() const { return legalTrademarks_; }
    void setLegalTrademarks(const std::string& v);
    const std::string& comments() const { return comments_; }
    void setComments(const std::string& v);

    // Four parts, most significant first; marks modified unless all equal.
    void getFileVersion(std::int16_t& a, std::int16_t& b, std::int16_t& c, std::int16_t& d) const;
    void setFileVersion(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d);
    void getProductVersion(std::int16_t& a, std::int16_t& b, std::int16_t& c, std::int16_t& d) const;
    void setProductVersion(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d);

    // Lists: add always marks modified; clear never does; item out of
    // range (negative or >= count) is an empty string.
    int listCount(ProjectList list) const;
    void listAdd(ProjectList list, const std::string& text);
    void listClear(ProjectList list);
    std::string listItem(ProjectList list, int index) const;
    const std::vector<std::string>& listEntries(ProjectList list) const;

    // Icon paths: stored, and the project marked modified, when they
    // differ; the images are read by loadIcon (IconLoading.h), not here.
    const std::string& largeIconPath() const { return largeIconPath_; }
    void setLargeIconPath(const std::string& path);
    const std::string& smallIconPath() const { return smallIconPath_; }
    void setSmallIconPath(const std::string& path);
    const IconImage* largeIcon() const { return largeIcon_.get(); }
    const IconImage* smallIcon() const { return smallIcon_.get(); }
    // Every image of the icon file a slot's path names, in file order, as
    // stored there (empty for a bitmap or a cursor): the compile writes
    // these in place of the slot's converted image (IconSet.h).
    const std::vector<IconImage>& largeIconFileImages() const { return largeIconFile_; }
    const std::vector<IconImage>& smallIconFileImages() const { return smallIconFile_; }
    // Fills a slot with the images read from its file (IconLoading.h), or
    // empties it (keeping its path): the icon page does this when the
    // chosen file cannot be read, so that neither the preview nor a compile
    // goes on with the picture chosen before.
    void setLargeIcon(std::unique_ptr<IconImage> image = nullptr, std::vector<IconImage> fileImages = {}) {
        largeIcon_ = std::move(image);
        largeIconFile_ = std::move(fileImages);
    }
    void setSmallIcon(std::unique_ptr<IconImage> image = nullptr, std::vector<IconImage> fileImages = {}) {
        smallIcon_ = std::move(image);
        smallIconFile_ = std::move(fileImages);
    }
    // Preview icons (Windows HICON; the builder's placeholders 4 and 5 when
    // the slot is empty). Null on Linux.
    void* largeIconHandle() const;
    void* smallIconHandle() const;

    // The settings beyond the original record. `setExtended` stores a value
    // and marks the project modified only when it differs, as the setters
    // above do; the VM options are also the list JvmOptions.
    const ExtendedSettings& extended() const { return extended_; }
    template <typename T>
    void setExtended(T ExtendedSettings::*field, typename std::common_type<T>::type value) {
        if (extended_.*field == value) return;
        extended_.*field = std::move(value);
        modified = true;
    }
    // Records of a later Caskit, kept as read (ExtendedSettings::unknownRecords).
    void keepUnknownRecords(std::map<std::uint32_t, std::string> records) {
        extended_.unknownRecords = std::move(records);
    }

    // A project that embeds a jar may leave the main class to the jar's manifest.
    bool isReadyToCompile() const {
        return !exeFolder_.empty() && (!mainClass_.empty() || !extended_.embeddedJar.empty());
    }
    // Part of projectPath after its last backslash (whole path without one).
    std::string displayName() const;

    // Plain fields that pages and the file reader set directly.
    std::string projectPath;
    bool resourceUpdateAvailable = false;
    bool modified = false;
    std::int32_t reserved = 0;
    bool userDefinedVm = false;
    bool versionInfoEnabled = false;
    // The code page of the project's text, which every conversion of it to
    // system text, UTF-8 or UTF-16 names. Not stored as such: caskit sets
    // it from --code-page or the code page a project file records.
    unsigned textCodePage = defaultCodePage();

private:
    friend class ProjectFileReader;
    void markIf(bool changed) {
        if (changed) modified = true;
    }
    std::vector<std::string>& list(ProjectList which);

    std::int32_t projectVersion_ = 0;
    std::string exeName_;
    std::string exeFolder_;
    std::string vmLibraryPath_;
    std::string mainClass_;
    std::string arguments_;
    std::vector<std::string> classPath_;
    std::vector<std::string> properties_;
    std::vector<std::string> environment_;
    std::int32_t classPathMode_ = 0;
    std::int32_t verifyOption_ = 0;
    bool asyncGcEnabled_ = false;
    bool classGcEnabled_ = false;
    bool jitEnabled_ = false;
    bool consoleWindow_ = false;
    bool routeConsole_ = false;
    std::uint32_t minHeap_ = 1024;
    std::uint32_t maxHeap_ = 16384;
    std::uint32_t maxNativeStack_ = 128;
    std::uint32_t maxJavaStack_ = 512;
    std::int16_t fileVersion_[4] = {1, 0, 0, 0};
    std::int16_t productVersion_[4] = {1, 0, 0, 0};
    std::string companyName_;
    std::string legalCopyright_;
    std::string legalTrademarks_;
    std::string comments_;
    std::unique_ptr<IconImage> largeIcon_;
    std::string largeIconPath_;
    std::unique_ptr<IconImage> smallIcon_;
    std::string smallIconPath_;
    std::vector<IconImage> largeIconFile_;
    std::vector<IconImage> smallIconFile_;
    ExtendedSettings extended_;
};
