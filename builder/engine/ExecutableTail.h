#pragma once
// Data appended to a produced executable after its image: the embedded
// jar (stampPeHeader then makes the header checksum right).

#include <string>

// Appends `bytes` to the end of the file at `path`. False with the
// system's reason in `error`.
bool appendToFile(const std::string& path, const std::string& bytes, std::string& error);
