#include "vmbind/VmStartSteps.h"

#include "launcher/DiagnosticLog.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/PathSeparator.h"
#include "vmbind/ClassPathText.h"
#include "vmbind/LibraryLoading.h"
#include "vmbind/SearchPath.h"

void enterWorkingFolder(const LaunchParameters& parameters) {
    if (!parameters.callerFolder) platform::setCurrentDirectory(parameters.exeFolder.c_str());  // result ignored
}

Text finishClassPath(const LaunchParameters& parameters, const Text& text) {
    List<Text> unlisted;
    Text result = vmClassPathText(text, parameters.callerFolder ? &parameters.exeFolder : nullptr,
                                  platform::kListSeparator, unlisted);
    for (const Text& entry : unlisted)
        if (parameters.diagnosticsEnabled) {
            Text line = "Class path ";
            line += entry;
            line += ": the folder cannot be listed, no entries";
            diagnosticLog().writeLine(line);
        }
    return result;
}

RuntimePaths prepareRuntime(const LaunchParameters& parameters, const RuntimeProfile& profile) {
    // A bundled runtime is the only one: the registered one is not read.
    if (parameters.binaryPath == kBundledRuntime) return RuntimePaths();
    RuntimePaths paths = discoverRuntime(parameters, profile);
    updatePath(parameters, profile, paths.bin);
    return paths;
}

void reportMissingEntryPoints(const RuntimeProfile& profile) {
    platform::showMessage(nullptr, profile.entryPointText, "Error", platform::kMbOk);
}

void writeDiagnosticLines(const LaunchParameters& parameters, const List<Text>& lines) {
    if (!parameters.diagnosticsEnabled) return;
    for (const Text& line : lines) diagnosticLog().writeLine(line);
}

int runJavaVm(platform::DynamicLibrary& library, CreateJavaVMFunction create, void* initArgs,
              const LaunchParameters& parameters, const List<Text>& dumpLines, const MainCallTexts& texts,
              void (*afterCreate)(JNIEnv* env, const LaunchParameters& parameters)) {
    writeDiagnosticLines(parameters, dumpLines);

    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (create(&vm, &env, initArgs) < 0) {
        if (texts.beforeFailure) texts.beforeFailure();
        platform::showMessage(nullptr, "Error in CreateJavaVM", "", platform::kMbOk);
        library.reset();
        return -1;
    }
    if (texts.writesTraceLines && parameters.diagnosticsEnabled) {
        diagnosticLog().writeLine("fCreateJavaVMPtr ok\n");
        diagnosticLog().writeLine("ClassName = " + parameters.mainClass);
    }

    if (afterCreate) afterCreate(env, parameters);
    MainCallResult result = callMain(env, parameters, texts);
    destroyVm(vm);
    library.reset();
    return result == MainCallResult::Returned ? 0 : -1;
}
