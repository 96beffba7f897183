// The launcher's entry: WinMain on Windows (a GUI-subsystem program: its
// arguments are read from the UTF-16 command line without the program
// name, so every character reaches main exactly), main on Linux (whose
// arguments arrive split by the system and are taken as they are).
#include "platform/CodePage.h"
#include "platform/OwnModule.h"
#include "stubs/RunLauncher.h"

// Defined by the stub's own file: the run sequence with its VM start.
int runStub(const CommandLine& commandLine);

#ifdef _WIN32
// The Win32 GUI entry; only the command line is used: its ANSI text for
// the log, its UTF-16 form for the arguments.
extern "C" int __stdcall WinMain(void* /*instance*/, void* /*previous*/, char* text, int /*show*/) {
    CommandLine commandLine;
    commandLine.text = text ? text : "";
    Text arguments;
    if (!platform::ownCommandLineArguments(arguments)) arguments = utf8FromAnsi(commandLine.text);
    commandLine.arguments = splitArguments(arguments);
    return runStub(commandLine);
}
#else
// The text of the log line: the arguments joined by blanks, each one that
// holds a blank or is empty in double quotes, so the log shows how they
// were grouped.
int main(int argc, char** argv) {
    CommandLine commandLine;
    for (int i = 1; i < argc; ++i) {
        const Text argument = argv[i];
        if (i > 1) commandLine.text += ' ';
        const bool quoted = argument.empty() || argument.find(' ') != Text::npos;
        commandLine.text += quoted ? '"' + argument + '"' : argument;
        commandLine.arguments.push_back(argument);
    }
    return runStub(commandLine);
}
#endif
