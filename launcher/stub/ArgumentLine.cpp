#include "launcher/stub/ArgumentLine.h"

std::string joinArguments(int argc, const char* const* argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) {
        std::string argument = argv[i] ? argv[i] : "";
        if (i > 0) line += ' ';
        if (argument.empty() || argument.find(' ') != std::string::npos)
            line += '"' + argument + '"';
        else
            line += argument;
    }
    return line;
}
