#pragma once
// The check of a splash image before it is stored in an executable: the
// runtime's splash library shows PNG, GIF and JPEG images, and one it
// cannot decode would only leave the program without its splash, so the
// compile refuses what is not a whole image of one of those formats.

#include <cstdint>
#include <optional>
#include <string>

// The largest splash image a compile takes.
constexpr std::uint64_t kMaxSplashImageSize = 16u << 20;

// Why `bytes` cannot be shown, as the end of a sentence ("is not a PNG,
// GIF or JPEG image", "is cut short: ..."); nullopt for a PNG whose chunks
// run from IHDR to IEND, a GIF whose blocks run to its trailer, or a JPEG
// whose segments run from its start marker to a scan and an end marker.
std::optional<std::string> splashImageProblem(const std::string& bytes);
