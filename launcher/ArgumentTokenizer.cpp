// Splitting argument text (the command line, a "parameters" line) into
// tokens: blanks separate, double quotes group, a tab is an ordinary
// character.
#include "launcher/LaunchParameters.h"

Text nextArgument(Text& text, bool* found) {
    size_t pos = text.findFirstNotOf(' ');
    if (pos == Text::npos) {
        text.clear();
        if (found) *found = false;
        return Text();
    }
    if (found) *found = true;
    Text token;
    if (text[pos] == '"') {
        // Everything up to the closing quote, or the rest when there is none;
        // both quotes are consumed.
        size_t close = text.find('"', pos + 1);
        if (close == Text::npos) {
            token = text.substr(pos + 1);
            text.clear();
        } else {
            token = text.substr(pos + 1, close - pos - 1);
            text.erase(0, close + 1);
        }
        return token;
    }
    // A run up to the next blank or quote, which stays for the next call.
    size_t end = text.findFirstOf(" \"", pos);
    if (end == Text::npos) {
        token = text.substr(pos);
        text.clear();
    } else {
        token = text.substr(pos, end - pos);
        text.erase(0, end);
    }
    return token;
}

List<Text> splitArguments(Text text) {
    List<Text> tokens;
    bool found = true;
    for (;;) {
        Text token = nextArgument(text, &found);
        if (!found) break;
        tokens.push_back(static_cast<Text&&>(token));
    }
    return tokens;
}
