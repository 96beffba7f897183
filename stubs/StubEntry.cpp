// The launcher's entry: stubMain on Windows (called by the process entry
// in WindowsStart.cpp, in both subsystems), main on Linux. A Windows stub
// logs its ANSI command line without the program name, and reads its
// arguments from the UTF-16 command line, so every character reaches main
// exactly. The Linux launcher's arguments arrive split by the system and
// are taken as they are.
#include "platform/CodePage.h"
#include "platform/OwnModule.h"
#include "platform/Process.h"
#include "stubs/RunLauncher.h"

// Defined by the stub's own file: the run sequence with its VM start.
int runStub(const CommandLine& commandLine);

#ifdef _WIN32
// Called by the process entry, stubStart (WindowsStart.cpp).
void stubMain() {
    CommandLine commandLine;
    const char* text = platform::ownAnsiArguments();
    commandLine.text = text ? text : "";
    Text arguments;
    if (!platform::ownCommandLineArguments(arguments)) arguments = utf8FromAnsi(commandLine.text);
    commandLine.arguments = splitArguments(arguments);
    platform::endProcess(runStub(commandLine));
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
