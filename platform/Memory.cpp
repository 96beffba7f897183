#include "platform/Memory.h"

size_t arrayBytes(size_t count, size_t size) {
    if (size != 0 && count > static_cast<size_t>(-1) / size) outOfMemory();
    return count * size;
}
