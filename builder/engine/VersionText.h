#pragma once
// The four parts of a file or product version as text: the 16-bit parts as
// unsigned decimal numbers without leading zeros, joined by "." (1.0.0.0),
// the same numbers the version block's fixed information carries.

#include <cstdint>
#include <string>

std::string versionText(const std::int16_t (&parts)[4]);
