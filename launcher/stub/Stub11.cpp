// stub11: the launcher for JDK 1.1 runtimes ("javai.dll").
#include "launcher/stub/RunLauncher.h"
#include "vmbind/VmStart.h"

int runStub(const std::string& commandLine) {
    return runLauncher(commandLine, PropertyStyle::Plain, startJavaVm);
}
