// stub12: the launcher for JDK 1.2 runtimes ("jvm.dll"; libjvm.so on Linux).
#include "launcher/stub/RunLauncher.h"
#include "vmbind/VmStart.h"

int runStub(const std::string& commandLine) {
    return runLauncher(commandLine, PropertyStyle::Option, startJavaVm);
}
