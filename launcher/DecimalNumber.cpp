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
    // magnitude * 10 + digit fits while the magnitude is below a tenth of
    // the limit, or equal to it with a digit up to the limit's last one.
    const uint64_t mostTens = UINT64_MAX / 10;
    const unsigned mostLastDigit = UINT64_MAX % 10;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        unsigned digit = static_cast<unsigned>(text[i] - '0');
        const bool fits = number.magnitude < mostTens || (number.magnitude == mostTens && digit <= mostLastDigit);
        number.magnitude = fits ? number.magnitude * 10 + digit : UINT64_MAX;
    }
    return number;
}
