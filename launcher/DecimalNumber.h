#pragma once
// Numbers stored as text in the parameter block (counts, sizes) are read
// the way the C library's atol reads them.

#include <cstdint>
#include <string>

struct DecimalNumber {
    bool negative = false;
    std::uint64_t magnitude = 0;  // saturates at the largest 64-bit value
};

// Optional leading white space (blank, tab, LF, VT, FF, CR) and sign, then
// decimal digits up to the first other character; no digits read as 0.
DecimalNumber readDecimalNumber(const std::string& text);
