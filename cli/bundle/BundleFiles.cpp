#include "cli/bundle/BundleFiles.h"

#include <algorithm>
#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/OwnModule.h"
#include "platform/Programs.h"

namespace fs = std::filesystem;

namespace bundle {

namespace {

bool listInto(const std::string& root, const std::string& below, std::vector<TreeEntry>& out, std::string& error) {
    std::error_code ec;
    for (fs::directory_iterator it(root + (below.empty() ? "" : "/" + below), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        TreeEntry entry;
        entry.path = below.empty() ? name : below + "/" + name;
        const fs::file_status st = fs::symlink_status(it->path(), ec);
        if (ec) {
            error = root + "/" + entry.path + ": " + ec.message();
            return false;
        }
        entry.mode = static_cast<unsigned>(st.permissions() & fs::perms::mask);
        if (fs::is_symlink(st)) {
            entry.kind = TreeEntry::Kind::Link;
            entry.link = fs::read_symlink(it->path(), ec).string();
        } else if (fs::is_directory(st)) {
            entry.kind = TreeEntry::Kind::Folder;
        } else if (fs::is_regular_file(st)) {
            entry.size = static_cast<std::uint64_t>(fs::file_size(it->path(), ec));
        } else {
            error = root + "/" + entry.path + ": neither a file, a folder nor a link";
            return false;
        }
        out.push_back(entry);
        if (entry.kind == TreeEntry::Kind::Folder && !listInto(root, entry.path, out, error)) return false;
    }
    if (ec) error = root + "/" + below + ": " + ec.message();
    return !ec;
}

// The key a folder sorts by: its path with the separator its contents
// carry, so "a" comes just before "a/b" and after "a-b".
std::string sortKey(const TreeEntry& e) { return e.kind == TreeEntry::Kind::Folder ? e.path + "/" : e.path; }

}  // namespace

std::optional<std::vector<TreeEntry>> listTree(const std::string& root, std::string& error) {
    std::vector<TreeEntry> entries;
    if (!listInto(root, std::string(), entries, error)) return std::nullopt;
    std::sort(entries.begin(), entries.end(),
              [](const TreeEntry& a, const TreeEntry& b) { return sortKey(a) < sortKey(b); });
    return entries;
}

namespace {

// Copies `from` (below `root`) to `to`: a link that stays inside `root` as
// a link, one that leads out of it as what it names (the copy must not
// depend on this machine), one that names nothing is left out.
bool copyEntry(const fs::path& root, const fs::path& from, const fs::path& to, std::string& error) {
    std::error_code ec;
    const fs::file_status link = fs::symlink_status(from, ec);
    if (fs::is_symlink(link)) {
        const fs::path target = fs::read_symlink(from, ec);
        const fs::path named = fs::weakly_canonical(from.parent_path() / target, ec);
        const std::string inside = (fs::weakly_canonical(root, ec) / "").string();
        if (target.is_relative() && (named / "").string().compare(0, inside.size(), inside) == 0) {
            fs::create_symlink(target, to, ec);
        } else if (fs::exists(from, ec)) {
            return copyEntry(named, named, to, error);
        } else {
            return true;
        }
    } else if (fs::is_directory(link)) {
        fs::create_directory(to, ec);
        for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
            if (!copyEntry(root, it->path(), to / it->path().filename(), error)) return false;
        if (!ec) fs::permissions(to, link.permissions(), ec);
    } else {
        fs::copy_file(from, to, ec);
        if (!ec) fs::permissions(to, fs::status(from, ec).permissions(), ec);
    }
    if (ec) error = "cannot copy " + from.string() + " to " + to.string() + ": " + ec.message();
    return !ec;
}

}  // namespace

bool copyTree(const std::string& from, const std::string& to, std::string& error) {
    std::error_code ec;
    const fs::path root = fs::is_directory(fs::symlink_status(from, ec)) ? fs::path(from) : fs::path(from).parent_path();
    return copyEntry(root, from, to, error);
}

bool removeTree(const std::string& path) {
    std::error_code ec;
    fs::remove_all(path, ec);
    return !ec;
}

std::string makeWorkFolder(const std::string& near, std::string& error) {
    for (unsigned n = 0; n < 1000; ++n) {
        const std::string path =
            near + "." + std::to_string(platform::ownProcessId()) + "-" + std::to_string(n) + ".part";
        bool taken = false;
        if (platform::makePrivateFolder(path, taken)) return path;
        if (!taken) {
            error = "cannot make " + path + ": " + platform::lastErrorText();
            return std::string();
        }
    }
    error = "cannot make a work folder beside " + near;
    return std::string();
}

bool putInPlace(const std::string& made, const std::string& target, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(target, ec))) {
        // A folder cannot be renamed over a full one: the old one steps
        // aside first and is removed once the new one is in place.
        const std::string aside = makeWorkFolder(target, error);
        if (aside.empty()) return false;
        const std::string old = aside + "/old";
        fs::rename(target, old, ec);
        if (!ec) fs::rename(made, target, ec);
        if (ec) {
            error = "cannot put " + target + " in place: " + ec.message();
            std::error_code ignored;
            if (!fs::exists(fs::symlink_status(target, ignored))) fs::rename(old, target, ignored);
            removeTree(aside);
            return false;
        }
        removeTree(aside);
        return true;
    }
    fs::rename(made, target, ec);
    if (ec) {
        error = "cannot put " + target + " in place: " + ec.message();
        return false;
    }
    return true;
}

}  // namespace bundle
