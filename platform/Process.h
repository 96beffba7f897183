#pragma once
// Waiting, for the command-line builder's test seam that holds a compile
// at one of its steps until the test kills it.

namespace platform {

void sleepSeconds(unsigned seconds);

}  // namespace platform
