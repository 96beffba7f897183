#pragma once
// The version resource of another file (Windows only): what
// GetFileVersionInfoA gives for it.

#include "platform/Text.h"

namespace platform {

// The largest version resource read.
const size_t kMostVersionInfoBytes = 65536;

// The version resource of the file at `path`; false when it has none, it
// is larger than kMostVersionInfoBytes, or the system cannot read one.
bool fileVersionInfo(const char* path, Text& bytes);

}  // namespace platform
