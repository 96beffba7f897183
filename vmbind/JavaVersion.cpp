#include "vmbind/JavaVersion.h"

#include <string.h>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSeparator(char c) { return c == '.' || c == '_' || c == '+' || c == '-'; }

}  // namespace

JavaVersion parseJavaVersion(const char* text) {
    JavaVersion version;
    const char* p = text;
    while (*p && !isDigit(*p)) ++p;
    size_t count = 0;
    while (isDigit(*p) && count < 4) {
        unsigned n = 0;
        for (; isDigit(*p); ++p)
            if (n < 999999) n = n * 10 + static_cast<unsigned>(*p - '0');
        version.parts[count++] = n < 999999 ? n : 999999;
        if (!isSeparator(*p) || !isDigit(p[1])) break;
        ++p;
    }
    if (count > 1 && version.parts[0] == 1) {
        for (size_t i = 0; i + 1 < 4; ++i) version.parts[i] = version.parts[i + 1];
        version.parts[3] = 0;
    }
    return version;
}

bool isLaterVersion(const JavaVersion& a, const JavaVersion& b) {
    for (size_t i = 0; i < 4; ++i)
        if (a.parts[i] != b.parts[i]) return a.parts[i] > b.parts[i];
    return false;
}

bool releaseFileVersion(const char* bytes, size_t size, Text& version, const char*& problem) {
    static const char kKey[] = "JAVA_VERSION=\"";
    const size_t keyLength = sizeof kKey - 1;
    if (size == 0) {
        problem = "empty file";
        return false;
    }
    for (size_t line = 0; line < size;) {
        size_t end = line;
        while (end < size && bytes[end] != '\n') ++end;
        if (end - line >= keyLength && memcmp(bytes + line, kKey, keyLength) == 0) {
            const size_t start = line + keyLength;
            size_t close = start;
            while (close < end && bytes[close] != '"') ++close;
            if (close == end) {
                problem = "JAVA_VERSION not terminated";
                return false;
            }
            if (close == start) {
                problem = "JAVA_VERSION empty";
                return false;
            }
            version = Text(bytes + start, close - start);
            return true;
        }
        line = end + 1;
    }
    problem = "no JAVA_VERSION";
    return false;
}
