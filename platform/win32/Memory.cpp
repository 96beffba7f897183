// The process heap, which every Windows version has: the launcher stubs
// link no C runtime library.
#include <windows.h>

#include "platform/Memory.h"

void* allocateMemory(size_t size) {
    void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    if (!block) outOfMemory();
    return block;
}

void* reallocateMemory(void* block, size_t size) {
    void* grown = tryReallocateMemory(block, size);
    if (!grown) outOfMemory();
    return grown;
}

void* tryReallocateMemory(void* block, size_t size) {
    if (!size) size = 1;
    return block ? HeapReAlloc(GetProcessHeap(), 0, block, size) : HeapAlloc(GetProcessHeap(), 0, size);
}

void releaseMemory(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}
