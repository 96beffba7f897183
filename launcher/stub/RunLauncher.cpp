#include "launcher/stub/RunLauncher.h"

#include "platform/Console.h"

int runLauncher(const std::string& commandLine, PropertyStyle style, VmStartFunction startVm) {
    LaunchParameters parameters(style);
    parameters.parseCommandLine(commandLine);
    parameters.loadParameters();
    if (parameters.consoleWindow) platform::allocConsole();  // a failure is ignored
    startVm(parameters);
    if (parameters.consoleWindow) platform::freeConsole();
    return 0;
}
