#include "stubs/RunLauncher.h"

#include "platform/Console.h"

int runLauncher(const CommandLine& commandLine, PropertyStyle style, VmStartFunction startVm) {
    LaunchParameters parameters(style);
    parameters.parseCommandLine(commandLine.text, commandLine.arguments);
    parameters.loadParameters();
    if (parameters.consoleWindow) platform::allocConsole();  // a failure is ignored
    const int result = startVm(parameters);
    if (parameters.consoleWindow) platform::freeConsole();
    // A script or service manager that runs the program can tell a failure.
    return result == 0 ? 0 : 1;
}
