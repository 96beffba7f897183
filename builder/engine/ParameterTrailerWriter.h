#pragma once
// The one writer of the parameter trailer (the launcher reads it back with
// readParameterTrailer): the block text followed by its length as an
// unsigned 32-bit little-endian number, appended to an executable.

#include <string>

// `block` followed by its length; `block` must be shorter than 4 GiB.
std::string encodeParameterTrailer(const std::string& block);
