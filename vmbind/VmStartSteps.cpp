#include "vmbind/VmStartSteps.h"

#include "launcher/DiagnosticLog.h"
#include "platform/MessageBox.h"
#include "platform/PathSeparator.h"
#include "vmbind/ClassPathText.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/SearchPath.h"

std::string prepareRuntime(const LaunchParameters& parameters, const RuntimeProfile& profile) {
    discoverRuntime(parameters, profile);
    std::string joined = joinClassPath(parameters.classPath, platform::kListSeparator);
    updatePath(parameters, profile);
    return joined;
}

void reportMissingEntryPoints(const RuntimeProfile& profile) {
    platform::showMessage(nullptr, profile.entryPointText, "Error", platform::kMbOk);
}

void writeDiagnosticLines(const LaunchParameters& parameters, const std::vector<std::string>& lines) {
    if (!parameters.diagnosticsEnabled) return;
    for (const std::string& line : lines) diagnosticLog().writeLine(line);
}

int runJavaVm(platform::DynamicLibrary& library, CreateJavaVMFunction create, void* initArgs,
              const LaunchParameters& parameters, const std::vector<std::string>& dumpLines,
              const MainCallTexts& texts) {
    writeDiagnosticLines(parameters, dumpLines);

    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (create(&vm, &env, initArgs) < 0) {
        platform::showMessage(nullptr, "Error in CreateJavaVM", "", platform::kMbOk);
        library.reset();
        return -1;
    }
    if (texts.writesTraceLines)
        writeDiagnosticLines(parameters, {"fCreateJavaVMPtr ok\n", "ClassName = " + parameters.mainClass});

    MainCallResult result = callMain(env, parameters, texts);
    destroyVm(vm);
    library.reset();
    return result == MainCallResult::Returned ? 0 : -1;
}
