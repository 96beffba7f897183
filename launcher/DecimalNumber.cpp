#include "launcher/DecimalNumber.h"

#include <limits>

static bool isNumberSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

DecimalNumber readDecimalNumber(const std::string& text) {
    DecimalNumber number;
    std::size_t i = 0;
    while (i < text.size() && isNumberSpace(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        unsigned digit = static_cast<unsigned>(text[i] - '0');
        number.magnitude = number.magnitude > (limit - digit) / 10 ? limit : number.magnitude * 10 + digit;
    }
    return number;
}
