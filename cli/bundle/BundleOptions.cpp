#include "cli/bundle/BundleOptions.h"

#include "cli/Arguments.h"
#include "cli/bundle/StableGuid.h"

namespace bundle {

namespace {

bool takesValue(const std::string& name) { return name != "allow-absolute"; }

int usage(const std::string& text) { return usageError("bundle", text); }

}  // namespace

std::optional<int> readBundleOptions(const std::vector<std::string>& words, BundleOptions& o) {
    std::vector<Argument> args;
    if (std::optional<int> done = readArguments("bundle", words, takesValue, args)) return *done;
    bool targetGiven = false;
    for (const Argument& a : args) {
        const std::string& v = a.value;
        if (a.name.empty()) {
            if (!o.project.empty()) return usage("more than one project file");
            o.project = v;
        } else if (a.name == "target") {
            std::optional<Target> t = parseTarget(v);
            if (!t) return usage("--target takes windows-x64, windows-x86 or linux-x64, not \"" + v + "\"");
            o.target = *t;
            targetGiven = true;
        } else if (a.name == "format") {
            if (v != "dir" && v != "zip" && v != "tar.gz" && v != "deb" && v != "msi")
                return usage("--format takes dir, zip, tar.gz, deb or msi, not \"" + v + "\"");
            o.formats.push_back(v);
        } else if (a.name == "add-modules") {
            for (std::size_t start = 0, end; start <= v.size(); start = end + 1) {
                end = v.find(',', start);
                if (end == std::string::npos) end = v.size();
                if (end > start) o.addModules.push_back(v.substr(start, end - start));
            }
        } else if (a.name == "upgrade-code") {
            std::optional<std::string> guid = parseGuid(v);
            if (!guid) return usage("--upgrade-code takes a GUID (XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX), not \"" + v + "\"");
            o.upgradeCode = *guid;
        } else if (a.name == "desktop-entry") {
            if (v != "on" && v != "off") return usage("--desktop-entry takes on or off, not \"" + v + "\"");
            o.desktopEntry = v == "on";
        } else if (a.name == "allow-absolute") {
            o.allowAbsolute = true;
        } else {
            std::string* field = a.name == "out"               ? &o.out
                                 : a.name == "stubs"           ? &o.stubs
                                 : a.name == "runtime"         ? &o.runtime
                                 : a.name == "jlink"           ? &o.jlink
                                 : a.name == "jmods"           ? &o.jmods
                                 : a.name == "package-name"    ? &o.packageName
                                 : a.name == "package-version" ? &o.packageVersion
                                 : a.name == "maintainer"      ? &o.maintainer
                                                               : nullptr;
            if (!field) return usage("unknown option --" + a.name);
            *field = v;
        }
    }
    if (o.project.empty()) return usage("no project file named");
    if (!targetGiven) return usage("--target is needed (linux-x64, windows-x64 or windows-x86)");
    if (o.runtime.empty() == o.jlink.empty()) return usage("name the runtime with either --runtime DIR or --jlink JDK");
    if (!o.jmods.empty() && o.jlink.empty()) return usage("--jmods goes with --jlink");
    if (!o.addModules.empty() && o.jlink.empty()) return usage("--add-modules goes with --jlink");
    if (!o.jlink.empty() && o.jmods.empty() && o.target != hostTarget())
        return usage(std::string("linking a runtime for ") + targetName(o.target) +
                     " needs that platform's jmods: --jmods DIR");
    const bool windows = o.target != Target::LinuxX64;
    if (o.formats.empty()) o.formats.push_back(windows ? "zip" : "dir");
    for (const std::string& f : o.formats) {
        if ((f == "deb" && windows) || (f == "msi" && !windows))
            return usage(std::string("--format ") + f + " is not made for " + targetName(o.target));
        if (f == "deb" && hostTarget() != Target::LinuxX64)
            return usage("--format deb is made by the Linux caskit (it runs dpkg-deb and dpkg-shlibdeps)");
    }
    return std::nullopt;
}

const char* bundleHelp() {
    return "  caskit bundle PROJECT.csk --target TARGET (--runtime DIR | --jlink JDK\n"
           "               [--jmods DIR] [--add-modules LIST]) [--format FORMAT]...\n"
           "               [--out DIR] [--allow-absolute] [--stubs DIR]\n"
           "               [--package-name NAME] [--package-version VERSION]\n"
           "               [--maintainer \"NAME <ADDRESS>\"] [--desktop-entry on|off]\n"
           "               [--upgrade-code GUID]\n"
           "      Makes a self-contained application (JDK 2.0 projects) in DIR (default:\n"
           "      dist/TARGET/ beside the project file): the folder NAME/ (the exe name\n"
           "      without .exe) holding the launcher, every class-path entry relative\n"
           "      to the exe folder (same layout; \"dir/*\" brings dir's jars), the\n"
           "      NAME.options file beside the executable, and runtime/, the private\n"
           "      Java runtime: a runtime image copied (--runtime, checked for the\n"
           "      target's system and bitness) or one linked with JDK's jlink\n"
           "      (--jlink: the modules jdeps finds plus --add-modules; --jmods DIR, the\n"
           "      jmods of a target other than caskit's own, of jlink's Java version).\n"
           "      The launcher starts that runtime and no other (vm-library\n"
           "      \"#bundled#\"). An absolute class-path entry is an error unless\n"
           "      --allow-absolute keeps it as it is. FORMAT (repeatable): dir\n"
           "      (default for linux-x64), zip (default for Windows), tar.gz, deb\n"
           "      (linux-x64, by the Linux caskit: installs to /opt/NAME with\n"
           "      /usr/bin/NAME; maintainer by default the company, which then needs\n"
           "      an address; a desktop entry with the project's icons as hicolor\n"
           "      PNGs when it has icons or with --desktop-entry on), msi (Windows,\n"
           "      made with wixl found on PATH; skipped with a note when it is\n"
           "      missing). Archives are reproducible (byte order, SOURCE_DATE_EPOCH,\n"
           "      no owners). Nothing is replaced until all is made.\n"
           "\n";
}

}  // namespace bundle
