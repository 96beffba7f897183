#include "platform/Memory.h"

#include <stdlib.h>

void* allocateMemory(size_t size) {
    void* block = malloc(size ? size : 1);
    if (!block) outOfMemory();
    return block;
}

void* reallocateMemory(void* block, size_t size) {
    void* grown = realloc(block, size ? size : 1);
    if (!grown) outOfMemory();
    return grown;
}

void* tryReallocateMemory(void* block, size_t size) { return realloc(block, size ? size : 1); }

void releaseMemory(void* block) { free(block); }

size_t arrayBytes(size_t count, size_t size) {
    if (size != 0 && count > static_cast<size_t>(-1) / size) outOfMemory();
    return count * size;
}
