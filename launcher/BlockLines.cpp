#include "launcher/BlockLines.h"

#include "launcher/DecimalNumber.h"

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

std::uint64_t parseCount(const std::string& line) {
    DecimalNumber number = readDecimalNumber(line);
    return number.negative ? 0 : number.magnitude;
}

bool isSwitchOn(const std::string& line) { return !line.empty() && line[0] == '1'; }
