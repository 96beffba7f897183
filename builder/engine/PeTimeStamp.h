#pragma once
// The time stamp in a produced executable's COFF header. A compile keeps
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

// Sets the time stamp of the PE file in `file` (the whole file) and, when
// the header carries a checksum, recomputes it. False with the reason in
// `error` when the headers cannot be read.
bool setPeTimeStamp(std::string& file, std::uint32_t time, std::string& error);
