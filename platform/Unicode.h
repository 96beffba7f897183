#pragma once
// Exact conversions between UTF-8 and UTF-16 for the launcher: arguments
// travel as UTF-8 text and reach Java as UTF-16 code units.

#include <stdint.h>

#include "platform/List.h"
#include "platform/Text.h"

// UTF-16 units to UTF-8. A surrogate without its partner becomes U+FFFD.
Text utf8FromUtf16(const uint16_t* units, size_t count);

// UTF-8 to UTF-16 units: a four-byte sequence becomes a surrogate pair;
// every ill-formed part (a stray byte, a cut or overlong sequence, an
// encoded surrogate, a value beyond U+10FFFF) becomes one U+FFFD per
// maximal invalid subpart, as Java's own decoder does. `illFormed`, when
// given, tells whether any part was.
List<uint16_t> utf16FromUtf8(const Text& text, bool* illFormed = nullptr);
