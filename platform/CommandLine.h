#pragma once
// Where the arguments start in a Windows command line: after the program
// name (a quoted part may hold blanks) and the blanks and control
// characters that follow it, the way a GUI program's entry receives its
// command line.

#include <stddef.h>
#include <stdint.h>

size_t programNameLength(const uint16_t* line);
