// Splitting argument text (the command line, a "parameters" line) into
// tokens: blanks separate, double quotes group, a tab is an ordinary
// character.
#include "launcher/LaunchParameters.h"

std::string nextArgument(std::string& text, bool* found) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) {
        text.clear();
        if (found) *found = false;
        return std::string();
    }
    if (found) *found = true;
    std::string token;
    if (text[pos] == '"') {
        // Everything up to the closing quote, or the rest when there is none;
        // both quotes are consumed.
        std::size_t close = text.find('"', pos + 1);
        if (close == std::string::npos) {
            token = text.substr(pos + 1);
            text.clear();
        } else {
            token = text.substr(pos + 1, close - pos - 1);
            text.erase(0, close + 1);
        }
        return token;
    }
    // A run up to the next blank or quote, which stays for the next call.
    std::size_t end = text.find_first_of(" \"", pos);
    if (end == std::string::npos) {
        token = text.substr(pos);
        text.clear();
    } else {
        token = text.substr(pos, end - pos);
        text.erase(0, end);
    }
    return token;
}

std::vector<std::string> splitArguments(std::string text) {
    std::vector<std::string> tokens;
    bool found = true;
    for (;;) {
        std::string token = nextArgument(text, &found);
        if (!found) break;
        tokens.push_back(std::move(token));
    }
    return tokens;
}
