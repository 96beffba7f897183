#include "vmbind/JavaVersion.h"

#include <string.h>

#include "platform/ByteReader.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetterOrDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
// The characters of the optional tail after a pre-release or build
// ("-LTS", "-Debian-1deb12u1").
bool isTailCharacter(char c) { return isLetterOrDigit(c) || c == '.' || c == '-'; }

// The number at `p` (a digit); a larger one than kMostVersionNumber is
// cut to it and clears `fits`.
const char* readNumber(const char* p, unsigned& n, bool& fits) {
    n = 0;
    for (; isDigit(*p); ++p) {
        const unsigned digit = static_cast<unsigned>(*p - '0');
        if (n > (kMostVersionNumber - digit) / 10) {
            n = kMostVersionNumber;
            fits = false;
        } else {
            n = n * 10 + digit;
        }
    }
    return p;
}

// What a version at `p` (a digit) reads as, and where it ends.
struct Scan {
    JavaVersion version;
    const char* end;
    bool fits = true;
    bool updateMisplaced = false;
};

// Up to four numbers separated by '.', then in this order and each
// optional: '_' and the update (old scheme), '-' and a pre-release of
// letters and digits ("b08" is the old scheme's build), '+' and the build,
// '-' and a tail that is not compared.
Scan scanVersion(const char* p) {
    Scan s;
    JavaVersion& v = s.version;
    unsigned numbers[4];
    unsigned count = 0;
    p = readNumber(p, numbers[count++], s.fits);
    while (*p == '.' && isDigit(p[1]) && count < 4) p = readNumber(p + 1, numbers[count++], s.fits);
    const bool oldScheme = count >= 2 && numbers[0] == 1;
    const unsigned first = oldScheme ? 1 : 0;
    for (unsigned i = first; i < count; ++i) v.parts[i - first] = numbers[i];
    v.count = count - first;

    if (*p == '_' && isDigit(p[1])) {
        p = readNumber(p + 1, v.parts[2], s.fits);
        s.updateMisplaced = !oldScheme || v.count > 2;
        v.count = 3;
    }
    unsigned build = 0;
    bool hasBuild = false;
    if (*p == '-' && isLetterOrDigit(p[1])) {
        const char* id = ++p;
        while (isLetterOrDigit(*p)) ++p;
        bool oldBuild = oldScheme && id[0] == 'b' && p - id > 1;
        for (const char* c = id + 1; oldBuild && c < p; ++c) oldBuild = isDigit(*c);
        if (oldBuild) {
            readNumber(id + 1, build, s.fits);
            hasBuild = true;
        } else {
            v.earlyAccess = true;
        }
    }
    if (*p == '+' && isDigit(p[1])) {
        p = readNumber(p + 1, build, s.fits);
        hasBuild = true;
    }
    if (hasBuild && v.count < 4) {
        v.parts[3] = build;
        v.count = 4;
    }
    if ((hasBuild || v.earlyAccess) && *p == '-' && isTailCharacter(p[1]))
        while (isTailCharacter(*++p)) {
        }
    s.end = p;
    return s;
}

}  // namespace

JavaVersion parseJavaVersion(const char* text) {
    const char* p = text;
    while (*p && !isDigit(*p)) ++p;
    if (!*p) return JavaVersion();
    JavaVersion version = scanVersion(p).version;
    version.earlyAccess = false;
    return version;
}

bool readJavaVersion(const char* text, JavaVersion& version, const char*& problem) {
    if (!*text) {
        problem = "empty";
        return false;
    }
    if (!isDigit(*text)) {
        problem = "not a Java version";
        return false;
    }
    const Scan s = scanVersion(text);
    if (!s.fits) {
        problem = "a number is too large";
        return false;
    }
    if (*s.end || s.updateMisplaced || s.version.parts[0] == 0) {
        problem = "not a Java version";
        return false;
    }
    version = s.version;
    return true;
}

bool isLaterVersion(const JavaVersion& a, const JavaVersion& b) {
    for (size_t i = 0; i < 4; ++i)
        if (a.parts[i] != b.parts[i]) return a.parts[i] > b.parts[i];
    return b.earlyAccess && !a.earlyAccess;
}

int compareWithBound(const JavaVersion& version, const JavaVersion& bound) {
    for (size_t i = 0; i < bound.count && i < 4; ++i)
        if (version.parts[i] != bound.parts[i]) return version.parts[i] < bound.parts[i] ? -1 : 1;
    return 0;
}

Text versionText(const JavaVersion& version) {
    size_t last = 3;
    while (last > 0 && version.parts[last] == 0) --last;
    Text text;
    for (size_t i = 0; i <= last; ++i) {
        if (i) text += '.';
        text += decimalText(version.parts[i]);
    }
    if (version.earlyAccess) text += "-ea";
    return text;
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

bool fixedInfoVersion(const unsigned char* bytes, size_t size, JavaVersion& version, const char*& problem) {
    // VS_VERSIONINFO: wLength, wValueLength, wType, the key in UTF-16 with
    // its NUL (16 units), padding to a multiple of four, then the value.
    static const char kKey[] = "VS_VERSION_INFO";
    const size_t kValueOffset = 40, kFixedInfoSize = 52;
    ByteReader r(bytes, size);
    const unsigned length = r.u16();
    const unsigned valueLength = r.u16();
    r.u16();
    bool keyMatches = true;
    for (size_t i = 0; i < sizeof kKey; ++i) keyMatches = r.u16() == static_cast<unsigned char>(kKey[i]) && keyMatches;
    r.seek(kValueOffset);
    const uint32_t signature = r.u32();
    r.skip(12);  // dwStrucVersion, dwFileVersionMS, dwFileVersionLS
    const uint32_t productHigh = r.u32();
    const uint32_t productLow = r.u32();
    if (!r.ok() || !keyMatches || length < kValueOffset + kFixedInfoSize || length > size ||
        valueLength < kFixedInfoSize || signature != 0xFEEF04BDu) {
        problem = "no version resource";
        return false;
    }
    JavaVersion v;
    v.parts[0] = productHigh >> 16;
    v.parts[1] = productHigh & 0xFFFF;
    v.parts[2] = productLow >> 16;
    v.parts[3] = productLow & 0xFFFF;
    v.count = 4;
    if (v.parts[0] == 0) {
        problem = "no product version";
        return false;
    }
    if (v.parts[0] <= 8) v.parts[2] /= 10;
    version = v;
    return true;
}
