#pragma once
// The archives of a bundle, reproducible: the entries of a folder tree in
// byte order of their full paths, every time the same given time, no owner
// names or ids, the permission bits reduced to 0755 (folders, programs)
// and 0644 (other files); links stay links.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "cli/bundle/BundleFiles.h"

namespace bundle {

// Writes the `entries` of `root` (listTree) into a zip file at `path`
// (deflated; names UTF-8; Unix modes in the external attributes). False
// with `error`.
bool writeZip(const std::string& root, const std::vector<TreeEntry>& entries, std::int64_t time,
              const std::string& path, std::string& error);

// The same as a gzip-compressed POSIX tar (ustar, with pax records for
// paths that do not fit).
bool writeTarGz(const std::string& root, const std::vector<TreeEntry>& entries, std::int64_t time,
                const std::string& path, std::string& error);

// The permission bits an archive keeps for `entry`.
unsigned archiveMode(const TreeEntry& entry);

// The UTC calendar fields of `time` (seconds since 1970), as gmtime gives
// them, worked out here so that every system gives the same.
std::tm utcFields(std::int64_t time);

// SOURCE_DATE_EPOCH when it is a number, else `fallback`.
std::int64_t archiveTime(std::int64_t fallback);

}  // namespace bundle
