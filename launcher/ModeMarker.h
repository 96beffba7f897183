#pragma once
// The mode marker (resource 1000/1) says where the parameter block is:
// "standard" for the parameter trailer, anything else (also no marker)
// for resource 1000/2.

#include "platform/Text.h"

// True for the 8 bytes "standard", also when one NUL follows them.
bool isStandardMarker(const Text& marker);
