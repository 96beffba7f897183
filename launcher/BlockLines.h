#pragma once
// The line grammar of the parameter block: LF-ended lines (a CR is part of
// the text), counts read like atol, switches on when they start with '1'.

#include <stdint.h>

#include "platform/Text.h"

// A cursor over the block text, one line at a time.
class BlockLineReader {
public:
    explicit BlockLineReader(const Text& text) : text_(text) {}
    explicit BlockLineReader(Text&&) = delete;  // the reader keeps a reference

    bool atEnd() const { return pos_ >= text_.size(); }
    // The next line without its LF. A last line without LF is the rest of
    // the text; past the end every line is empty.
    Text next();

private:
    const Text& text_;
    size_t pos_ = 0;
};

// Optional leading white space and sign, then decimal digits up to the
// first other character. Negative counts read as 0, counts beyond the
// range as the largest value.
uint64_t parseCount(const Text& line);

// On when the first character is '1'; an empty line is off.
bool isSwitchOn(const Text& line);
