#pragma once
// Where the arguments start in a Windows command line: after the program
// name (a quoted part may hold blanks) and the blanks and control
// characters that follow it, the way a GUI program's entry receives its
// command line. The units compare as their type holds them: a UTF-16 unit
// from 0x80 up belongs to the name, while an 8-bit character from 0x80 up
// (negative as a char) ends an unquoted name and is skipped like a blank,
// as the C runtime's start-up code has always cut the ANSI line.

#include <stddef.h>

template <typename Unit>
size_t programNameLength(const Unit* line) {
    size_t i = 0;
    bool quoted = false;
    while (line[i] > ' ' || (line[i] && quoted)) {
        if (line[i] == '"') quoted = !quoted;
        ++i;
    }
    while (line[i] && line[i] <= ' ') ++i;
    return i;
}
