#include "launcher/BlockLines.h"

#include <limits>

std::string BlockLineReader::next() {
    if (atEnd()) return std::string();
    std::size_t end = text_.find('\n', pos_);
    std::string line;
    if (end == std::string::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
    } else {
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
    }
    return line;
}

static bool isCountSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::uint64_t parseCount(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && isCountSpace(line[i])) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        unsigned digit = static_cast<unsigned>(line[i] - '0');
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return negative ? 0 : value;
}

bool isSwitchOn(const std::string& line) { return !line.empty() && line[0] == '1'; }
