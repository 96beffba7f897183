#include "launcher/DecimalNumber.h"

static bool isNumberSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

DecimalNumber readDecimalNumber(const Text& text) {
    DecimalNumber number;
    size_t i = 0;
    while (i < text.size() && isNumberSpace(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    const uint64_t limit = UINT64_MAX;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        unsigned digit = static_cast<unsigned>(text[i] - '0');
        number.magnitude = number.magnitude > (limit - digit) / 10 ? limit : number.magnitude * 10 + digit;
    }
    return number;
}
