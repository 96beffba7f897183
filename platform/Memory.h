#pragma once
// Heap memory for the code that goes into the launcher stubs. An allocation
// never returns null: when the system has no memory left, outOfMemory()
// tells the user and ends the process with exit code 1 (a run cannot go on
// with a setting silently dropped).

#include <stddef.h>

void* allocateMemory(size_t size);
void* reallocateMemory(void* block, size_t size);
void releaseMemory(void* block);
// Null when the memory cannot be had (the block stays as it was).
void* tryReallocateMemory(void* block, size_t size);

// Shows "Out of memory" and ends the process with exit code 1.
[[noreturn]] void outOfMemory();

// Bytes for `count` elements of `size` each; ends the process like
// outOfMemory() when the product does not fit a size_t.
size_t arrayBytes(size_t count, size_t size);
