// caskit bundle PROJECT.csk --target T (--runtime DIR | --jlink JDK
// [--jmods DIR] [--add-modules LIST]) [--format F]... [--out DIR]: the
// application folder (launcher, class path, options file, private
// runtime) and the archives and packages made of it. Everything is made in
// a work folder inside the output folder and put in place only when all
// of it is complete, so a failure or an interruption leaves the previous
// output as it was.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <set>

#include "builder/engine/CodePage.h"
#include "builder/engine/ExecutableWriter.h"
#include "builder/engine/ProjectPaths.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/MessageLog.h"
#include "cli/ProjectLoad.h"
#include "cli/bundle/Archives.h"
#include "cli/bundle/BundleFiles.h"
#include "cli/bundle/BundleLayout.h"
#include "cli/bundle/BundleOptions.h"
#include "cli/bundle/DebPackage.h"
#include "cli/bundle/IconPng.h"
#include "cli/bundle/RuntimeImage.h"
#include "cli/bundle/StableGuid.h"
#include "cli/bundle/WixSource.h"
#include "platform/FileSystem.h"
#include "platform/Programs.h"

namespace fs = std::filesystem;

namespace bundle {

namespace {

int failure(const std::string& text) {
    std::fprintf(stderr, "caskit bundle: %s\n", oneLine(text).c_str());
    return 1;
}

// The work folder, removed with everything in it unless the run ended
// with all of it in place.
struct WorkFolder {
    std::string path;
    ~WorkFolder() {
        if (!path.empty()) removeTree(path);
    }
};

std::string versionOf(const Project& project, bool msi) {
    std::int16_t v[4];
    project.getProductVersion(v[0], v[1], v[2], v[3]);
    std::string text = std::to_string(static_cast<std::uint16_t>(v[0])) + "." +
                       std::to_string(static_cast<std::uint16_t>(v[1])) + "." +
                       std::to_string(static_cast<std::uint16_t>(v[2]));
    if (!msi && v[3] != 0) text += "." + std::to_string(static_cast<std::uint16_t>(v[3]));
    return text;
}

bool isInside(const std::string& path, const std::string& folder) {
    std::error_code ec;
    const std::string p = (fs::weakly_canonical(path, ec) / "").string();
    const std::string f = (fs::weakly_canonical(folder, ec) / "").string();
    return p.compare(0, f.size(), f) == 0;
}

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// The launcher of the bundle: the project's, set to start the bundled
// runtime only (the project is changed in memory, never saved).
bool compileLauncher(Project& project, const BundleOptions& o, const std::string& path, std::string& error) {
    const unsigned stubId = stubResourceId(project);
    std::optional<std::string> stubName = stubFileName(o.target, stubId);
    if (!stubName || project.getProjectVersion() != 2) {
        error = "a bundle needs a JDK 2.0 project (--jdk 2.0)";
        return false;
    }
    const std::string stubPath = stubFolder(o.target, o.stubs) + *stubName;
    std::optional<std::string> stub = platform::readWholeFile(stubPath, 64u << 20);
    if (!stub) {
        error = "cannot read the stub " + stubPath;
        return false;
    }
    project.setVmLibraryPath("#bundled#");
    MessageLog messages("caskit bundle");
    messages.setSubject(path);
    CompileRequest request(project);
    request.stubs = [&stub](unsigned) { return stub; };
    request.form = targetHasResources(o.target) ? SettingsForm::Resources : SettingsForm::Trailer;
    request.outputPath = path;
    if (!compile(request, messages) || messages.count() > 0) {
        error = "the launcher could not be written";
        return false;
    }
    std::error_code ec;
    if (o.target == Target::LinuxX64) fs::permissions(path, fs::perms(0755), ec);
    return true;
}

// The application folder at `app`: launcher, class path, options file,
// runtime.
bool makeApplication(Project& project, const BundleOptions& o, const std::string& app, std::string& error) {
    const unsigned cp = project.textCodePage;
    const std::string exeFolder = ansiToSystem(project.exeFolder(), cp);
    const std::string exeName = ansiToSystem(project.exeName(), cp);
    std::vector<std::string> classPath;
    for (const std::string& entry : project.listEntries(ProjectList::ClassPath))
        classPath.push_back(ansiToSystem(entry, cp));
    std::optional<std::vector<CopyItem>> items = classPathItems(classPath, exeFolder, o.allowAbsolute, error);
    if (!items) return false;
    const std::string options = exeFolder + optionsFileName(exeName);
    if (platform::fileExists(options)) items->push_back(CopyItem{options, optionsFileName(exeName)});
    for (const CopyItem& item : *items)
        if (isFolder(item.source) && isInside(o.out, item.source)) {
            error = "the output folder " + o.out + " is inside the class-path folder " + item.source;
            return false;
        }
    for (const std::string& source : {o.runtime, o.jlink})
        if (!source.empty() && isInside(o.out, source)) {
            error = "the output folder " + o.out + " is inside the runtime " + source;
            return false;
        }
    std::error_code made;
    if (!fs::create_directory(app, made)) {
        error = "cannot make " + app;
        return false;
    }
    if (!compileLauncher(project, o, app + "/" + exeName, error)) return false;
    std::vector<std::string> copied;
    for (const CopyItem& item : *items) {
        const std::string target = app + "/" + item.target;
        copied.push_back(target);
        if (platform::fileExists(target)) continue;  // named twice
        std::error_code ec;
        fs::create_directories(fs::path(target).parent_path(), ec);
        if (!copyTree(item.source, target, error)) return false;
    }
    if (!o.runtime.empty()) {
        if (!checkRuntime(o.runtime, o.target, error)) return false;
        return copyTree(o.runtime, app + "/runtime", error);
    }
    LinkRequest link{o.jlink, o.jmods, copied, o.addModules};
    std::vector<std::string> notes;
    const bool linked = linkRuntime(link, app + "/runtime", notes, error);
    for (const std::string& note : notes) std::fprintf(stderr, "caskit bundle: note: %s\n", note.c_str());
    if (!linked) return false;
    return checkRuntime(app + "/runtime", o.target, error).has_value();
}

struct Made {
    std::string path;    // in the work folder
    std::string target;  // in the output folder
};

bool makeMsi(const Project& project, const BundleOptions& o, const std::string& work, const std::string& app,
             const std::string& msi, std::string& error) {
    const unsigned cp = project.textCodePage;
    const ExtendedSettings& named = project.extended();
    WixProduct p;
    p.exeName = ansiToSystem(project.exeName(), cp);
    p.company = ansiToSystem(project.companyName(), cp);
    p.product = named.productName.empty() ? withoutExeSuffix(p.exeName) : ansiToSystem(named.productName, cp);
    if (p.company.empty()) p.company = p.product;
    p.version = versionOf(project, true);
    p.upgradeCode = o.upgradeCode.empty() ? upgradeCode(p.company, p.product, p.exeName) : o.upgradeCode;
    p.win64 = o.target == Target::WindowsX64;
    std::optional<std::vector<TreeEntry>> entries = listTree(app, error);
    if (!entries) return false;
    const std::string source = work + "/installer.wxs";
    FILE* f = std::fopen(source.c_str(), "wb");
    // wixl takes the files from paths relative to the source's folder.
    const std::string text = wixSource(p, app.substr(work.size() + 1), *entries);
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
        error = "cannot write " + source;
        return false;
    }
    std::string out;
    const int rc = platform::runProgram({"wixl", "-a", p.win64 ? "x64" : "x86", "-o", msi, source}, out);
    if (rc != 0) error = "wixl could not make the installer: " + out;
    return rc == 0;
}

}  // namespace

int runBundle(const std::vector<std::string>& words) {
    BundleOptions o;
    if (std::optional<int> done = readBundleOptions(words, o)) return *done;
    Project project;
    std::string error;
    std::vector<std::string> warnings;
    if (!loadProjectForBuild(o.project, project, error, warnings, true)) return failure(error);
    for (const std::string& w : warnings) std::fprintf(stderr, "caskit bundle: warning: %s\n", w.c_str());
    if (project.exeName().empty()) return failure("the project has no executable name (--exe-name)");
    const unsigned cp = project.textCodePage;
    const std::string name = withoutExeSuffix(ansiToSystem(project.exeName(), cp));
    if (o.out.empty()) o.out = folderOf(fs::absolute(o.project).string()) + "dist/" + targetName(o.target);
    std::string unmade;
    if (!platform::makeFolders(o.out, unmade)) return failure("cannot make the folder " + unmade);

    WorkFolder work;
    work.path = makeWorkFolder(o.out + "/." + name, error);
    if (work.path.empty()) return failure(error);
    const std::string app = work.path + "/app/" + name;
    std::error_code ec;
    fs::create_directory(work.path + "/app", ec);
    if (!makeApplication(project, o, app, error)) return failure(error);

    const std::int64_t time = archiveTime(static_cast<std::int64_t>(std::time(nullptr)));
    const std::string stem = name + "-" + versionOf(project, false) + "-" + targetName(o.target);
    std::vector<Made> made;
    std::set<std::string> formats(o.formats.begin(), o.formats.end());
    for (const std::string& format : formats) {
        if (format == "dir") continue;
        Made m{work.path + "/" + format, o.out + "/" + stem + "." + format};
        if (format == "zip" || format == "tar.gz") {
            std::optional<std::vector<TreeEntry>> entries = listTree(work.path + "/app", error);
            if (!entries) return failure(error);
            const bool ok = format == "zip" ? writeZip(work.path + "/app", *entries, time, m.path, error)
                                            : writeTarGz(work.path + "/app", *entries, time, m.path, error);
            if (!ok) return failure(error);
        } else if (format == "deb") {
            DebRequest d;
            d.name = name;
            d.exeName = ansiToSystem(project.exeName(), cp);
            d.package = o.packageName.empty() ? debianPackageName(name) : o.packageName;
            d.version = o.packageVersion.empty() ? versionOf(project, false) : o.packageVersion;
            d.maintainer = o.maintainer.empty() ? ansiToSystem(project.companyName(), cp) : o.maintainer;
            if (d.maintainer.find('@') == std::string::npos)
                return failure("a Debian package needs a maintainer with an address: --maintainer \"Name <address>\"");
            const std::string comments = ansiToSystem(project.comments(), cp);
            const std::size_t cut = comments.find('\n');
            d.summary = comments.empty() ? "Java application " + name + " with its own runtime" : comments.substr(0, cut);
            if (!d.summary.empty() && d.summary.back() == '\r') d.summary.pop_back();
            d.description = cut == std::string::npos ? std::string() : comments.substr(cut + 1);
            d.copyright = ansiToSystem(project.legalCopyright(), cp);
            d.time = time;
            std::vector<IconImage> images = project.largeIconFileImages();
            images.insert(images.end(), project.smallIconFileImages().begin(), project.smallIconFileImages().end());
            const bool fromFiles = !images.empty();
            for (const IconImage* one : {project.largeIcon(), project.smallIcon()})
                if (one && !fromFiles) images.push_back(*one);
            d.icons = pngIcons(images);
            d.desktopEntry = o.desktopEntry.value_or(!d.icons.empty());
            d.title = project.extended().productName.empty() ? name : ansiToSystem(project.extended().productName, cp);
            d.terminal = project.consoleWindow();
            m.target = o.out + "/" + d.package + "_" + d.version + "_amd64.deb";
            fs::create_directory(work.path + "/deb-tree", ec);
            if (!buildDeb(d, app, work.path + "/deb-tree", m.path, error)) return failure(error);
        } else if (format == "msi") {
            std::string out;
            if (platform::runProgram({"wixl", "--version"}, out) == -1) {
                std::fprintf(stderr, "caskit bundle: wixl (Debian package wixl) is not on PATH: no .msi written\n");
                continue;
            }
            if (!makeMsi(project, o, work.path, app, m.path, error)) return failure(error);
        }
        made.push_back(m);
    }
    if (formats.count("dir")) made.push_back(Made{app, o.out + "/" + name});
    for (const Made& m : made) {
        if (!putInPlace(m.path, m.target, error)) return failure(error);
        std::printf("caskit: wrote %s\n", m.target.c_str());
    }
    return 0;
}

}  // namespace bundle

int runBundle(const std::vector<std::string>& words) { return bundle::runBundle(words); }
