// stub12: the launcher for JDK 1.2 runtimes ("jvm.dll"; libjvm.so on Linux).
#include "stubs/RunLauncher.h"
#include "vmbind/Jdk12Start.h"
#include "vmbind/StartupCache.h"

int runStub(const CommandLine& commandLine) {
    // The start-up cache's dumping process runs unseen: no console.
    return runLauncher(commandLine, PropertyStyle::Option, startJdk12Vm, startupCacheDump());
}
