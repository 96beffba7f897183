#include <stdlib.h>

#include "platform/Memory.h"

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
