#include "vmbind/RestartLimit.h"

bool takeRestart(RestartHistory& history, unsigned long now) {
    if (history.count == kMostRestarts) {
        if (now - history.times[0] < kRestartWindow) return false;
        for (unsigned i = 1; i < kMostRestarts; ++i) history.times[i - 1] = history.times[i];
        --history.count;
    }
    history.times[history.count++] = now;
    return true;
}
