#include "cli/CodePageOption.h"

#include "builder/engine/CodePage.h"

namespace {

// The value of "--code-page" in this command; 0 when it was not given.
unsigned& givenCodePage() {
    static unsigned codePage = 0;
    return codePage;
}

// The code page of this command's project text.
unsigned& currentCodePage() {
    static unsigned codePage = defaultCodePage();
    return codePage;
}

constexpr unsigned kDefaultCodePage = 1252;

}  // namespace

bool isCodePageOption(const std::string& name) { return name == "code-page"; }

unsigned commandCodePage() { return currentCodePage(); }

unsigned codePageToRecord() {
    const unsigned given = givenCodePage();
    return given == kDefaultCodePage ? 0 : given;
}

std::optional<std::string> adoptRecordedCodePage(unsigned recorded) {
    if (recorded == 0 || recorded == currentCodePage()) return std::nullopt;
#ifdef _WIN32
    return "the project's text is in code page " + std::to_string(recorded) + ", this system's is " +
           std::to_string(currentCodePage()) + "; use caskit where the code page is " + std::to_string(recorded) +
           ", or on Linux";
#else
    if (givenCodePage() != 0)
        return "--code-page " + std::to_string(givenCodePage()) + " contradicts the project's code page " +
               std::to_string(recorded) + "; leave --code-page out";
    if (!isProjectCodePage(recorded))
        return "the project's code page " + std::to_string(recorded) + " is not one this system can convert";
    currentCodePage() = recorded;
    return std::nullopt;
#endif
}

std::optional<std::string> applyCodePageOption(const std::string& value) {
#ifdef _WIN32
    (void)value;
    return std::string("--code-page: caskit on Windows keeps the system's ANSI code page");
#else
    const bool digits =
        !value.empty() && value.size() <= 5 && value.find_first_not_of("0123456789") == std::string::npos;
    const unsigned codePage = digits ? static_cast<unsigned>(std::stoul(value)) : 0;
    if (!digits || !isProjectCodePage(codePage))
        return "--code-page: \"" + value + "\" is not an ANSI code page this system can convert (1252, 1250, 932, ...)";
    givenCodePage() = currentCodePage() = codePage;
    return std::nullopt;
#endif
}

std::optional<std::string> projectTextOf(const std::string& option, const std::string& word, std::string& text) {
    std::string problem;
    std::optional<std::string> converted = systemToAnsi(word, currentCodePage(), problem);
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
           "command takes --code-page N; a project written with another code page\n"
           "than 1252 records it, and later commands use it without the option (a\n"
           "--code-page that contradicts it is an error). A character the code\n"
           "page cannot hold is refused. Linux launchers get their settings in\n"
           "UTF-8.\n"
           "\n";
#endif
}
