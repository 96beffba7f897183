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

// Reports wrong usage of `command` ("new", "compile", "show") as one line
// on standard error and returns the exit code for it (2).
int usageError(const char* command, const std::string& text);

// Splits the words of `command` into `out` and applies (and removes) the
// options every command takes (--code-page). Returns the exit code when
// the command ends here: 2 after reporting a missing or wrong value, 0
// after printing the help for --help (not as another option's value);
// nullopt otherwise.
std::optional<int> readArguments(const char* command, const std::vector<std::string>& words,
                                 bool (*takesValue)(const std::string& name), std::vector<Argument>& out);
