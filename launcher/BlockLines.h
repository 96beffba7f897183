#pragma once
// The line grammar of the parameter block: LF-ended lines (a CR is part of
// the text), counts read like atol, switches on when they start with '1'.

#include <cstddef>
#include <cstdint>
#include <string>

// A cursor over the block text, one line at a time.
class BlockLineReader {
public:
    explicit BlockLineReader(const std::string& text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    // The next line without its LF. A last line without LF is the rest of
    // the text; past the end every line is empty.
    std::string next();

private:
    const std::string& text_;
    std::size_t pos_ = 0;
};

// Optional leading white space and sign, then decimal digits up to the
// first other character. Negative counts read as 0, counts beyond the
// range as the largest value.
std::uint64_t parseCount(const std::string& line);

// On when the first character is '1'; an empty line is off.
bool isSwitchOn(const std::string& line);
