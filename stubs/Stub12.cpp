// stub12: the launcher for JDK 1.2 runtimes ("jvm.dll"; libjvm.so on Linux).
#include "stubs/RunLauncher.h"
#include "vmbind/VmStart.h"

int runStub(const CommandLine& commandLine) {
    return runLauncher(commandLine, PropertyStyle::Option, startJavaVm);
}
