#pragma once
// Numbers stored as text in the parameter block (counts, sizes) are read
// the way the C library's atol reads them.

#include <stdint.h>

#include "platform/Text.h"

struct DecimalNumber {
    bool negative = false;
    uint64_t magnitude = 0;  // saturates at the largest 64-bit value
};

// Optional leading white space (blank, tab, LF, VT, FF, CR) and sign, then
// decimal digits up to the first other character; no digits read as 0.
DecimalNumber readDecimalNumber(const Text& text);
