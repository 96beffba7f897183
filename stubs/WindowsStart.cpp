// The process entry of the Windows stubs, in both subsystems. They link no
// C runtime library, nor its start-up code (stubs/CMakeLists.txt): this
// entry does the part a stub needs, then runs it.
//
// Compiled as a plain object, not as link-time code (the linker crashes
// on such an entry), so it holds nothing it could share with the link-time
// code: no inline functions, no templates.

#include <stddef.h>

// StubEntry.cpp: runs the stub and ends the process with its exit code.
[[noreturn]] void stubMain();

extern "C" {

// The static constructors, between -1 and 0 (the linker's list).
extern void (*__CTOR_LIST__[])();

// The static objects' destructors would only give back memory, which the
// process gives back as it ends: they are not kept.
int atexit(void (*)()) { return 0; }

// The stack is 4-byte aligned at a 32-bit process entry.
[[noreturn]] __attribute__((force_align_arg_pointer)) void stubStart() {
    __asm__ volatile("fninit");  // the x87 unit in its initial state, for the runtime's code
    size_t count = 0;
    while (__CTOR_LIST__[count + 1]) ++count;
    for (; count; --count) __CTOR_LIST__[count]();  // the last one first
    stubMain();
}

}  // extern "C"
