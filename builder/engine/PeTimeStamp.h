#pragma once
// The time stamp and checksum in a produced executable's headers. A compile keeps
// the stub's own, so that the same project and stubs always give the same
// bytes; a build that sets SOURCE_DATE_EPOCH (as reproducible-build tools
// do) gets that time instead.

#include <cstdint>
#include <optional>
#include <string>

// The time SOURCE_DATE_EPOCH asks for: nothing when it is unset or empty;
// otherwise its decimal number of seconds since 1970, or `error` when it is
// not one or does not fit the header's 32 bits.
std::optional<std::uint32_t> sourceDateEpoch(std::string& error);

// Makes the headers of the PE file at `path` right for the file as it is,
// in place: the time stamp set to `time` when one is given, and the header
// checksum computed over the whole file. Only the headers are read and
// written; the rest is read once, a piece at a time, for the checksum, so
// the file's size does not matter. A file that is not a PE image (no "MZ":
// the Linux launcher) is left alone. False with the reason in `error`.
bool stampPeHeader(const std::string& path, std::optional<std::uint32_t> time, std::string& error);
