#pragma once
// The four parts of a file or product version as text: signed decimal
// numbers without leading zeros, joined by "." (1.0.0.0).

#include <cstdint>
#include <string>

std::string versionText(const std::int16_t (&parts)[4]);
