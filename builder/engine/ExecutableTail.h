#pragma once
// Data appended to a produced executable after its image: the embedded
// jar, and the PE header checksum made right for the file that results.

#include <string>

// Appends `bytes` to the end of the file at `path`. False with the
// system's reason in `error`.
bool appendToFile(const std::string& path, const std::string& bytes, std::string& error);

// Rewrites the header checksum of the PE file at `path` for its whole
// contents (a file that is not a PE image is left alone). False with the
// reason in `error`.
bool refreshPeChecksum(const std::string& path, std::string& error);
