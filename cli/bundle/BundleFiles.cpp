#include "cli/bundle/BundleFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

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
        struct stat st {};
        if (lstat((root + "/" + entry.path).c_str(), &st) != 0) {
            error = root + "/" + entry.path + ": " + std::strerror(errno);
            return false;
        }
        entry.mode = st.st_mode & 07777;
        if (S_ISLNK(st.st_mode)) {
            entry.kind = TreeEntry::Kind::Link;
            entry.link = fs::read_symlink(root + "/" + entry.path, ec).string();
        } else if (S_ISDIR(st.st_mode)) {
            entry.kind = TreeEntry::Kind::Folder;
        } else if (S_ISREG(st.st_mode)) {
            entry.size = static_cast<std::uint64_t>(st.st_size);
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
        const std::string inside = fs::weakly_canonical(root, ec).string() + "/";
        if (target.is_relative() && (named.string() + "/").compare(0, inside.size(), inside) == 0) {
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

int runProgram(const std::vector<std::string>& argv, std::string& output) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        output = std::strerror(errno);
        return -1;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], 1);
        dup2(pipeEnds[1], 2);
        execvp(args[0], args.data());
        const char* why = std::strerror(errno);
        (void)!write(2, why, std::strlen(why));
        _exit(127);
    }
    close(pipeEnds[1]);
    if (child < 0) {
        close(pipeEnds[0]);
        output = std::strerror(errno);
        return -1;
    }
    output.clear();
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127 && output.find('\n') == std::string::npos) {
        output = argv[0] + ": " + output;
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string makeWorkFolder(const std::string& near, std::string& error) {
    for (unsigned n = 0; n < 1000; ++n) {
        const std::string path = near + "." + std::to_string(getpid()) + "-" + std::to_string(n) + ".part";
        if (mkdir(path.c_str(), 0700) == 0) return path;
        if (errno != EEXIST) {
            error = "cannot make " + path + ": " + std::strerror(errno);
            return std::string();
        }
    }
    error = "cannot make a work folder beside " + near;
    return std::string();
}

bool putInPlace(const std::string& made, const std::string& target, std::string& error) {
    struct stat st {};
    if (lstat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        // A folder cannot be renamed over a full one: the old one steps
        // aside first and is removed once the new one is in place.
        const std::string aside = makeWorkFolder(target, error);
        if (aside.empty()) return false;
        const std::string old = aside + "/old";
        if (rename(target.c_str(), old.c_str()) != 0 || rename(made.c_str(), target.c_str()) != 0) {
            error = "cannot put " + target + " in place: " + std::strerror(errno);
            if (lstat(target.c_str(), &st) != 0) rename(old.c_str(), target.c_str());
            removeTree(aside);
            return false;
        }
        removeTree(aside);
        return true;
    }
    if (rename(made.c_str(), target.c_str()) != 0) {
        error = "cannot put " + target + " in place: " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace bundle
