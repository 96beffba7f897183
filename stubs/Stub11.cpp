// stub11: the launcher for JDK 1.1 runtimes ("javai.dll").
#include "stubs/RunLauncher.h"
#include "vmbind/Jdk11Start.h"

int runStub(const CommandLine& commandLine) {
    return runLauncher(commandLine, PropertyStyle::Plain, startJdk11Vm);
}
