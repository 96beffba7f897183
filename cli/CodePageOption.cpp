#include "cli/CodePageOption.h"

#include "builder/engine/CodePage.h"

bool isCodePageOption(const std::string& name) { return name == "code-page"; }

std::optional<std::string> applyCodePageOption(const std::string& value) {
#ifdef _WIN32
    (void)value;
    return std::string("--code-page: caskit on Windows keeps the system's ANSI code page");
#else
    const bool digits =
        !value.empty() && value.size() <= 5 && value.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || !setProjectCodePage(static_cast<unsigned>(std::stoul(value))))
        return "--code-page: \"" + value + "\" is not an ANSI code page this system can convert (1252, 1250, 932, ...)";
    return std::nullopt;
#endif
}

std::optional<std::string> projectTextOf(const std::string& option, const std::string& word, std::string& text) {
    std::string problem;
    std::optional<std::string> converted = systemToAnsi(word, problem);
    if (!converted) return "--" + option + ": " + problem;
    text = std::move(*converted);
    return std::nullopt;
}

const char* codePageHelp() {
#ifdef _WIN32
    return "";
#else
    return "Text: the command line and the output are UTF-8; project files and the\n"
           "settings of Windows executables hold text in an ANSI code page: 1252\n"
           "(Western) unless --code-page N names another (1250, 932, ...). Every\n"
           "command takes --code-page N; give each the project's code page. A\n"
           "character the code page cannot hold is refused. Linux launchers get\n"
           "their settings in UTF-8.\n"
           "\n";
#endif
}
