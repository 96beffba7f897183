#include "platform/CommandLine.h"

size_t programNameLength(const uint16_t* line) {
    size_t i = 0;
    bool quoted = false;
    while (line[i] > ' ' || (line[i] && quoted)) {
        if (line[i] == '"') quoted = !quoted;
        ++i;
    }
    while (line[i] && line[i] <= ' ') ++i;
    return i;
}
