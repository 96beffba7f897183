#pragma once
// Heap and stack sizes are stored as text in kilobytes; the VM starts read
// them like the C library's atol on a 32-bit long.

#include <stdint.h>

#include "platform/Text.h"

// Optional white space, optional sign, leading decimal digits; anything
// else gives 0. Values beyond the 32-bit range saturate.
int32_t parseSizeNumber(const Text& text);

// Kilobytes to bytes in 32-bit arithmetic (wrapping like the runtime's
// own 32-bit integers).
int32_t kilobytesToBytes(int32_t kilobytes);

// The largest size in kilobytes whose bytes kilobytesToBytes gives
// without wrapping: the JDK 1.1 start's limit (2 GB less 1 KB).
constexpr uint32_t kLargestJdk11Kilobytes = INT32_MAX / 1024;
