#include "cli/Arguments.h"

#include <cstdio>

#include "cli/CodePageOption.h"
#include "cli/Commands.h"

std::optional<std::string> splitArguments(const std::vector<std::string>& words,
                                          bool (*takesValue)(const std::string& name), std::vector<Argument>& out) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
            out.push_back({std::string(), word, true});
            continue;
        }
        Argument a;
        std::size_t eq = word.find('=');
        if (eq != std::string::npos) {
            a.name = word.substr(2, eq - 2);
            a.value = word.substr(eq + 1);
            a.hasValue = true;
        } else {
            a.name = word.substr(2);
            if (takesValue(a.name) || isCodePageOption(a.name)) {
                if (i + 1 >= words.size()) return "option --" + a.name + " needs a value";
                a.value = words[++i];
                a.hasValue = true;
            }
        }
        out.push_back(std::move(a));
    }
    return std::nullopt;
}

int usageError(const char* command, const std::string& text) {
    std::fprintf(stderr, "caskit %s: %s (see caskit --help)\n", command, text.c_str());
    return 2;
}

std::optional<int> readArguments(const char* command, const std::vector<std::string>& words,
                                 bool (*takesValue)(const std::string& name), std::vector<Argument>& out) {
    if (std::optional<std::string> error = splitArguments(words, takesValue, out)) return usageError(command, *error);
    for (const Argument& a : out) {
        if (a.name == "help" && !a.hasValue) {
            printHelp();
            return 0;
        }
    }
    // --code-page belongs to every command and is applied before any text is read.
    for (auto a = out.begin(); a != out.end();) {
        if (!isCodePageOption(a->name)) {
            ++a;
            continue;
        }
        if (std::optional<std::string> error = applyCodePageOption(a->value)) return usageError(command, *error);
        a = out.erase(a);
    }
    return std::nullopt;
}
