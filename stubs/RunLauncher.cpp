#include "stubs/RunLauncher.h"

#include "platform/Console.h"

int runLauncher(const CommandLine& commandLine, PropertyStyle style, VmStartFunction startVm) {
    LaunchParameters parameters(style);
    parameters.parseCommandLine(commandLine.text, commandLine.arguments);
    parameters.loadParameters();
    if (parameters.consoleWindow) platform::allocConsole();  // a failure is ignored
    startVm(parameters);
    if (parameters.consoleWindow) platform::freeConsole();
    return 0;
}
