#include "stubs/RunLauncher.h"

#include "platform/Console.h"

int runLauncher(const CommandLine& commandLine, PropertyStyle style, VmStartFunction startVm, bool background) {
    LaunchParameters parameters(style);
    parameters.parseCommandLine(commandLine.text, commandLine.arguments);
    parameters.loadParameters();
    // A console program has its caller's console and streams already.
    const bool ownConsole = parameters.consoleWindow && !background && !platform::isConsoleProgram();
    if (ownConsole) platform::allocConsole();  // a failure is ignored
    const int result = startVm(parameters);
    if (ownConsole) platform::freeConsole();
    // A script or service manager that runs the program can tell a failure.
    return result == 0 ? 0 : 1;
}
