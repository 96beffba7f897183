// The byte and string functions of the C library that the stubs' code
// calls, and that the compiler calls for copies and fills: the Windows
// stubs link no C runtime library. Small and plain; the stubs move few
// bytes. Compiled without the compiler's own forms of these functions, so
// none of them turns into a call to itself (stubs/CMakeLists.txt).
#include <stddef.h>

extern "C" {

void* memcpy(void* to, const void* from, size_t n) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    while (n--) *out++ = *in++;
    return to;
}

void* memmove(void* to, const void* from, size_t n) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    if (out <= in) return memcpy(to, from, n);
    while (n--) out[n] = in[n];
    return to;
}

void* memset(void* to, int value, size_t n) {
    auto* out = static_cast<unsigned char*>(to);
    while (n--) *out++ = static_cast<unsigned char>(value);
    return to;
}

int memcmp(const void* a, const void* b, size_t n) {
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    for (; n; --n, ++x, ++y)
        if (*x != *y) return *x < *y ? -1 : 1;
    return 0;
}

size_t strlen(const char* s) {
    size_t n = 0;
    while (s[n]) ++n;
    return n;
}

char* strchr(const char* s, int c) {
    for (;; ++s) {
        if (*s == static_cast<char>(c)) return const_cast<char*>(s);
        if (!*s) return nullptr;
    }
}

}  // extern "C"
