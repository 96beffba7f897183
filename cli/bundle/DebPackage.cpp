#include "cli/bundle/DebPackage.h"

#include <zlib.h>

#include <ctime>
#include <filesystem>
#include <fstream>

#include "cli/bundle/Archives.h"
#include "cli/bundle/BundleFiles.h"
#include "platform/Programs.h"

namespace bundle {

namespace {

bool writeText(const std::string& path, const std::string& text, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) error = "cannot write " + path;
    return static_cast<bool>(out);
}

bool writeGzip(const std::string& path, const std::string& text, std::string& error) {
    // gzip -9 -n: no name, no time in the header.
    z_stream z{};
    std::string out;
    if (deflateInit2(&z, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK) return false;
    out.resize(deflateBound(&z, text.size()) + 64);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return writeText(path, out, error);
}

bool makeDirs(const std::string& path, std::string& error) {
    std::string part;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || (path[i] == '/' && i > 0)) {
            part = path.substr(0, i);
            std::error_code ec;
            std::filesystem::create_directory(part, ec);
            if (ec) {
                error = "cannot make " + part;
                return false;
            }
        }
    }
    return true;
}

std::string rfc2822(long long time) {
    const std::tm tm = utcFields(time);
    char text[64];
    std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S +0000", &tm);
    return text;
}

// Every folder and file below `path` readable by all, folders and
// programs 0755, other files 0644 (as Debian installs them).
unsigned long long normalise(const std::string& root, std::string& error) {
    unsigned long long bytes = 0;
    std::optional<std::vector<TreeEntry>> entries = listTree(root, error);
    if (!entries) return 0;
    for (const TreeEntry& e : *entries) {
        if (e.kind == TreeEntry::Kind::Link) continue;
        const bool program = e.kind == TreeEntry::Kind::Folder || (e.mode & 0111);
        std::error_code ec;
        std::filesystem::permissions(root + "/" + e.path, std::filesystem::perms(program ? 0755 : 0644), ec);
        bytes += (e.size + 1023) / 1024;
    }
    return bytes;
}

// The packages the ELF files of the application folder `app` need, as
// dpkg-shlibdeps finds them (libc6 when it cannot tell); the runtime's own
// libraries are found in its lib folders.
std::string elfDepends(const std::string& app, const std::string& work) {
    std::string error;
    std::optional<std::vector<TreeEntry>> entries = listTree(app, error);
    std::vector<std::string> argv = {"sh", "-c", "cd \"$0\" && exec dpkg-shlibdeps -O --ignore-missing-info \"$@\"",
                                     work, "-l" + app + "/runtime/lib", "-l" + app + "/runtime/lib/server"};
    for (const TreeEntry& e : entries ? *entries : std::vector<TreeEntry>()) {
        if (e.kind != TreeEntry::Kind::File || e.size < 4) continue;
        std::ifstream in(app + "/" + e.path, std::ios::binary);
        char magic[4] = {};
        if (in.read(magic, 4) && std::string(magic, 4) == "\x7f" "ELF") argv.push_back(app + "/" + e.path);
    }
    std::string out;
    if (!makeDirs(work + "/debian", error) ||
        !writeText(work + "/debian/control", "Source: bundle\n\nPackage: bundle\nArchitecture: any\n", error) ||
        platform::runProgram(argv, out) != 0)
        return "libc6";
    const std::size_t at = out.find("shlibs:Depends=");
    return at == std::string::npos ? "libc6" : out.substr(at + 15, out.find('\n', at) - at - 15);
}

}  // namespace

std::string debianPackageName(const std::string& name) {
    std::string out;
    for (char c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        const bool kept = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        out += kept ? c : '-';
    }
    while (!out.empty() && !((out[0] >= 'a' && out[0] <= 'z') || (out[0] >= '0' && out[0] <= '9'))) out.erase(0, 1);
    return out.size() < 2 ? std::string() : out;
}

std::string debControl(const DebRequest& r, unsigned long long installedKiB, const std::string& depends) {
    std::string text = "Package: " + r.package + "\nVersion: " + r.version +
                       "\nArchitecture: amd64\nMaintainer: " + r.maintainer +
                       "\nInstalled-Size: " + std::to_string(installedKiB) +
                       "\nDepends: " + depends + "\nSection: misc\nPriority: optional\nDescription: " + r.summary + "\n";
    std::string body = r.description.empty() ? r.summary + ", with its own Java runtime." : r.description;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        std::string line = body.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        text += line.find_first_not_of(" \t") == std::string::npos ? " .\n" : " " + line + "\n";
        start = end + 1;
    }
    return text;
}

std::string debLintianOverrides(const std::string& package) {
    const std::string p = package + ": ";
    // What an application that brings its own Java runtime is; the README
    // says why each is sound.
    return "# Third-party software with a private runtime belongs in /opt.\n" + p + "dir-or-file-in-opt\n" +
           "# The runtime's programs and libraries are the JDK vendor's, as jlink copies them.\n" + p +
           "unstripped-binary-or-object\n" +
           "# The program's jars and the runtime's are its private class path, not shared libraries.\n" + p +
           "jar-not-in-usr-share\n" + "# The command is the application's own; it documents itself.\n" + p +
           "no-manual-page\n";
}

std::string desktopEntry(const DebRequest& r) {
    std::string text = "[Desktop Entry]\nType=Application\nName=" + r.title + "\nComment=" + r.summary +
                       "\nExec=" + r.name + "\nTerminal=" + (r.terminal ? "true" : "false") +
                       "\nCategories=Utility;\n";
    if (!r.icons.empty()) text += "Icon=" + r.package + "\n";
    return text;
}

bool buildDeb(const DebRequest& r, const std::string& appFolder, const std::string& work, const std::string& output,
              std::string& error) {
    const std::string root = work + "/root";
    const std::string doc = root + "/usr/share/doc/" + r.package;
    const std::string overrides = root + "/usr/share/lintian/overrides";
    if (!makeDirs(root + "/DEBIAN", error) || !makeDirs(root + "/opt", error) || !makeDirs(root + "/usr/bin", error) ||
        !makeDirs(doc, error) || !makeDirs(overrides, error))
        return false;
    if (!copyTree(appFolder, root + "/opt/" + r.name, error)) return false;
    std::error_code linked;
    std::filesystem::create_symlink("/opt/" + r.name + "/" + r.exeName, root + "/usr/bin/" + r.name, linked);
    if (linked) {
        error = "cannot link /usr/bin/" + r.name;
        return false;
    }
    // A notice names a year; the project's copyright text is taken as it
    // is when it has one.
    std::string holder = r.copyright.empty() ? r.maintainer : r.copyright;
    if (holder.find_first_of("0123456789") == std::string::npos) holder = rfc2822(r.time).substr(12, 4) + " " + holder;
    const std::string copyright = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
                                  "Upstream-Name: " + r.name + "\n\nFiles: *\nCopyright: " + holder +
                                  "\nLicense: custom\n The terms are those of the application; its Java runtime"
                                  " (opt/" + r.name + "/runtime) carries its own in runtime/legal.\n";
    const std::string changelog = r.package + " (" + r.version + ") unstable; urgency=medium\n\n  * Packaged by caskit bundle.\n\n -- " +
                                  r.maintainer + "  " + rfc2822(r.time) + "\n";
    if (!writeText(doc + "/copyright", copyright, error) || !writeGzip(doc + "/changelog.gz", changelog, error) ||
        !writeText(overrides + "/" + r.package, debLintianOverrides(r.package), error))
        return false;
    if (r.desktopEntry) {
        const std::string applications = root + "/usr/share/applications";
        if (!makeDirs(applications, error) ||
            !writeText(applications + "/" + r.package + ".desktop", desktopEntry(r), error))
            return false;
        for (const PngIcon& icon : r.icons) {
            const std::string size = std::to_string(icon.size);
            const std::string folder = root + "/usr/share/icons/hicolor/" + size + "x" + size + "/apps";
            if (!makeDirs(folder, error) || !writeText(folder + "/" + r.package + ".png", icon.bytes, error))
                return false;
        }
    }
    const unsigned long long kib = normalise(root, error);
    if (!error.empty()) return false;
    const std::string depends = elfDepends(root + "/opt/" + r.name, work);
    if (!writeText(root + "/DEBIAN/control", debControl(r, kib, depends), error)) return false;
    std::error_code ec;
    std::filesystem::permissions(root + "/DEBIAN/control", std::filesystem::perms(0644), ec);
    std::string out;
    if (platform::runProgram({"dpkg-deb", "--root-owner-group", "-Zxz", "--build", root, output}, out) != 0) {
        error = "dpkg-deb could not build the package: " + out;
        return false;
    }
    return true;
}

}  // namespace bundle
