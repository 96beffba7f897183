#pragma once
// Converting a packed DIB to another size and depth, with the results the
// system's DIB engine gives for the same steps: the target palette (black
// and white; the source's colours or the default palette for 4 bits; the
// source's colours or the halftone palette for 8 bits), nearest-pixel
// stretching (COLORONCOLOR) or a top-left copy, and colour matching into
// the target palette.

#include <string>
#include <vector>

// Returns the new packed DIB (40-byte header with width, height, one plane
// and the bit count, other fields 0; palette of 2^bits entries for 8 bits or
// less; pixel rows), or an empty string when the source is not a picture
// this code can read (see viewDib) or the target size or depth is out of
// range.
std::string convertDib(const std::string& source, int width, int height, int bitsPerPixel, bool stretch);

// For each target position along one axis, the source position it shows:
// the system's nearest-pixel stretch (a Bresenham walk; when shrinking,
// `lastWins` selects the last of several source pixels per target pixel,
// as for columns, or the first, as for rows). Exposed for tests.
std::vector<int> stretchMap(int sourceLength, int targetLength, bool lastWins);
