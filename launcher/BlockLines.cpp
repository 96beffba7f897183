#include "launcher/BlockLines.h"

#include "launcher/DecimalNumber.h"

Text BlockLineReader::next() {
    if (atEnd()) return Text();
    size_t end = text_.find('\n', pos_);
    Text line;
    if (end == Text::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
    } else {
        line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
    }
    return line;
}

uint64_t parseCount(const Text& line) {
    DecimalNumber number = readDecimalNumber(line);
    return number.negative ? 0 : number.magnitude;
}

bool isSwitchOn(const Text& line) { return !line.empty() && line[0] == '1'; }
