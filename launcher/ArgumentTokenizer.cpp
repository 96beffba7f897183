// Splitting argument text (the command line, a "parameters" line) into
// tokens: blanks separate, double quotes group, a tab is an ordinary
// character.
#include "launcher/LaunchParameters.h"

namespace {

// The token that starts at or after `pos`; `pos` moves past what it used.
// Working from a position keeps splitting a long text linear.
Text argumentAt(const Text& text, size_t& pos, bool* found) {
    size_t start = text.findFirstNotOf(' ', pos);
    if (start == Text::npos) {
        pos = text.size();
        if (found) *found = false;
        return Text();
    }
    if (found) *found = true;
    if (text[start] == '"') {
        // Everything up to the closing quote, or the rest when there is none;
        // both quotes are consumed.
        size_t close = text.find('"', start + 1);
        if (close == Text::npos) {
            pos = text.size();
            return text.substr(start + 1);
        }
        pos = close + 1;
        return text.substr(start + 1, close - start - 1);
    }
    // A run up to the next blank or quote, which stays for the next call.
    size_t end = text.findFirstOf(" \"", start);
    pos = end == Text::npos ? text.size() : end;
    return text.substr(start, pos - start);
}

}  // namespace

Text nextArgument(Text& text, bool* found) {
    size_t pos = 0;
    Text token = argumentAt(text, pos, found);
    text.erase(0, pos);
    return token;
}

List<Text> splitArguments(Text text) {
    List<Text> tokens;
    size_t pos = 0;
    for (;;) {
        bool found = false;
        Text token = argumentAt(text, pos, &found);
        if (!found) break;
        tokens.push_back(static_cast<Text&&>(token));
    }
    return tokens;
}
