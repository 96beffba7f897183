#include "cli/bundle/BundleLayout.h"

#include <algorithm>
#include <filesystem>

#include "builder/engine/ExecutableWriter.h"

namespace bundle {

namespace {

bool isAbsolute(const std::string& path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
}

// "a\b/./c" as "a/b/c"; false when it climbs out of the folder.
bool tidy(const std::string& entry, std::string& out) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i <= entry.size(); ++i) {
        if (i < entry.size() && entry[i] != '/' && entry[i] != '\\') {
            part += entry[i];
            continue;
        }
        if (part == "..") {
            if (parts.empty()) return false;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    }
    out.clear();
    for (const std::string& p : parts) out += (out.empty() ? "" : "/") + p;
    return true;
}

bool isJar(const std::string& name) {
    if (name.size() < 4) return false;
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](unsigned char c) { return std::tolower(c); });
    return suffix == ".jar";
}

}  // namespace

std::optional<std::vector<CopyItem>> classPathItems(const std::vector<std::string>& classPath,
                                                    const std::string& exeFolder, bool allowAbsolute,
                                                    std::string& error) {
    std::vector<CopyItem> items;
    for (const std::string& entry : classPath) {
        if (isAbsolute(entry)) {
            if (allowAbsolute) continue;
            error = "the class-path entry \"" + entry +
                    "\" is absolute: a bundle must not depend on this machine (make it relative to the "
                    "executable's folder, or keep it with --allow-absolute)";
            return std::nullopt;
        }
        std::string relative;
        if (!tidy(entry, relative)) {
            error = "the class-path entry \"" + entry + "\" leaves the executable's folder";
            return std::nullopt;
        }
        const bool wildcard = relative == "*" || (relative.size() > 1 && relative.compare(relative.size() - 2, 2, "/*") == 0);
        const std::string named = wildcard ? relative.substr(0, relative.size() - 1) : relative;
        const std::string source = exeFolder + named;
        std::error_code ec;
        if (!std::filesystem::exists(source.empty() ? "." : source, ec)) {
            error = "the class-path entry \"" + entry + "\" names nothing: " + source + " does not exist";
            return std::nullopt;
        }
        if (!wildcard) {
            if (relative.empty()) {
                error = "the class-path entry \"" + entry + "\" is the executable's folder itself; name its files";
                return std::nullopt;
            }
            items.push_back(CopyItem{source, relative});
            continue;
        }
        std::vector<std::string> jars;
        for (std::filesystem::directory_iterator it(source.empty() ? "." : source, ec), end; !ec && it != end;
             it.increment(ec))
            if (it->is_regular_file() && isJar(it->path().filename().string()))
                jars.push_back(it->path().filename().string());
        std::sort(jars.begin(), jars.end());
        for (const std::string& jar : jars) items.push_back(CopyItem{source + jar, named + jar});
    }
    return items;
}

std::string optionsFileName(const std::string& exeName) { return withoutExeSuffix(exeName) + ".options"; }

}  // namespace bundle
