#include "platform/Unicode.h"

namespace {

const uint16_t kReplacement = 0xFFFD;

void appendCodePoint(Text& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isHighSurrogate(uint16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(uint16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The allowed range of the second byte after a lead byte (the first byte
// decides which overlong, surrogate and too-large forms are excluded).
void secondByteRange(unsigned char lead, unsigned char& low, unsigned char& high) {
    low = 0x80;
    high = 0xBF;
    if (lead == 0xE0) low = 0xA0;
    else if (lead == 0xED) high = 0x9F;
    else if (lead == 0xF0) low = 0x90;
    else if (lead == 0xF4) high = 0x8F;
}

}  // namespace

Text utf8FromUtf16(const uint16_t* units, size_t count) {
    Text out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t u = units[i];
        if (isHighSurrogate(u) && i + 1 < count && isLowSurrogate(units[i + 1])) {
            appendCodePoint(out, 0x10000 + ((static_cast<uint32_t>(u - 0xD800) << 10) | (units[i + 1] - 0xDC00)));
            ++i;
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            appendCodePoint(out, kReplacement);
        } else {
            appendCodePoint(out, u);
        }
    }
    return out;
}

List<uint16_t> utf16FromUtf8(const Text& text, bool* illFormed) {
    if (illFormed) *illFormed = false;
    List<uint16_t> out;
    out.reserve(text.size());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length == 0) {  // a stray continuation byte, C0, C1 or F5..FF
            if (illFormed) *illFormed = true;
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        uint32_t c = lead & (0xFF >> (length + 1));
        size_t taken = 1;
        unsigned char low, high;
        secondByteRange(lead, low, high);
        while (taken < length && i + taken < n) {
            const unsigned char b = static_cast<unsigned char>(text[i + taken]);
            if (b < low || b > high) break;
            c = (c << 6) | (b & 0x3F);
            ++taken;
            low = 0x80;
            high = 0xBF;
        }
        i += taken;
        if (taken < length) {
            if (illFormed) *illFormed = true;
            out.push_back(kReplacement);  // the maximal valid prefix counts as one
        } else if (c >= 0x10000) {
            out.push_back(static_cast<uint16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<uint16_t>(c));
        }
    }
    return out;
}
