#pragma once
// The file work of "caskit bundle": listing a folder tree in a fixed
// order, copying trees with their modes, work folders and putting what
// was made in place.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bundle {

// One entry under a root: its path below the root ("a/b.jar", '/'
// separated), its kind, permission bits, size and, for a link, its text.
struct TreeEntry {
    enum class Kind { File, Folder, Link };
    std::string path;
    Kind kind = Kind::File;
    unsigned mode = 0644;
    std::uint64_t size = 0;
    std::string link;
};

// Every entry below `root` (links not followed), folders before their
// contents, in byte order of the full paths (a folder "a" sorts as "a/").
// nullopt with `error` when something cannot be read.
std::optional<std::vector<TreeEntry>> listTree(const std::string& root, std::string& error);

// Copies the file or folder (with everything in it) at `from` to `to`,
// which must not exist; modes are kept. A link inside the folder stays a
// link; one leading out of it is copied as what it names, and one that
// names nothing is left out.
bool copyTree(const std::string& from, const std::string& to, std::string& error);

// Removes `path` and everything below it; true when nothing is left.
bool removeTree(const std::string& path);

// A folder made for this run beside `near`: "<near>.<pid>-<n>.part",
// private to the user; empty with `error` when none could be made.
std::string makeWorkFolder(const std::string& near, std::string& error);

// Puts the finished `made` (file or folder) at `target`, replacing what
// was there only once `made` is complete.
bool putInPlace(const std::string& made, const std::string& target, std::string& error);

}  // namespace bundle
