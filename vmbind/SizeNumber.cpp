#include "vmbind/SizeNumber.h"

#include <limits>

static bool isSizeSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::int32_t parseSizeNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isSizeSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;  // saturate, and keep the product small
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t kilobytesToBytes(std::int32_t kilobytes) {
    std::uint32_t bytes = static_cast<std::uint32_t>(kilobytes) * 1024u;
    return static_cast<std::int32_t>(bytes);
}
