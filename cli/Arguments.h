#pragma once
// Command-line words after the command name: "--name value", "--name=value"
// and plain words, in order.

#include <optional>
#include <string>
#include <vector>

struct Argument {
    std::string name;   // without the leading "--"; empty for a plain word
    std::string value;  // the value (or the plain word)
    bool hasValue = false;
};

// Splits words into arguments. `takesValue(name)` says whether an option
// consumes the next word. Returns an error text for an option whose value
// is missing.
std::optional<std::string> splitArguments(const std::vector<std::string>& words,
                                          bool (*takesValue)(const std::string& name), std::vector<Argument>& out);
