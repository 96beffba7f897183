// The JDK 1.1 VM start: the VM's default JDK1_1InitArgs, overwritten with
// the settings, JNI_CreateJavaVM, then main(String[]).
#include "launcher/DiagnosticLog.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/PathSeparator.h"
#include "vmbind/ClassPathText.h"
#include "vmbind/Jdk11InitArgs.h"
#include "vmbind/Jdk11Settings.h"
#include "vmbind/LibraryLoading.h"
#include "vmbind/MainInvocation.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/SearchPath.h"
#include "vmbind/VmStart.h"

#include <cstring>

int startJavaVm(const LaunchParameters& parameters) {
    const RuntimeProfile& profile = jdk11Profile();
    platform::setCurrentDirectory(parameters.exeFolder);
    if (parameters.diagnosticsEnabled) parameters.dumpParameters();
    discoverRuntime(parameters, profile);
    const std::string joined = joinClassPath(parameters.classPath, platform::kListSeparator);
    updatePath(parameters, profile);
    PropertyArray properties(parameters.properties);

    platform::DynamicLibrary library = loadRuntimeLibrary(parameters, profile);
    if (!library) return -1;

    auto getDefaults =
        reinterpret_cast<GetDefaultJavaVMInitArgsFunction>(library.symbol("JNI_GetDefaultJavaVMInitArgs"));
    auto createJavaVm = reinterpret_cast<CreateJavaVMFunction>(library.symbol("JNI_CreateJavaVM"));
    if (!getDefaults || !createJavaVm) {
        platform::showMessage(nullptr, profile.entryPointText, "Error", platform::kMbOk);
        return -1;  // the library is released on return
    }

    JDK1_1InitArgs initArgs;
    std::memset(&initArgs, 0, sizeof initArgs);
    initArgs.version = JNI_VERSION_1_1;
    getDefaults(&initArgs);
    applySettings(initArgs, parameters, properties.data());
    // Kept alive until JNI_CreateJavaVM has returned.
    std::string classPathText = jdk11ClassPathText(joined, initArgs.classpath, platform::kListSeparator);
    initArgs.classpath = classPathText.data();

    if (parameters.diagnosticsEnabled) {
        for (const std::string& line : jdk11DumpLines(initArgs)) diagnosticLog().writeLine(line);
    }

    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (createJavaVm(&vm, &env, &initArgs) < 0) {
        platform::showMessage(nullptr, "Error in CreateJavaVM", "", platform::kMbOk);
        return -1;
    }

    MainCallTexts texts;
    texts.mainMissingText =
        "Can't find main!  Either the classname is invalid,or the classpath is not complete.";
    MainCallResult result = callMain(env, parameters, texts);
    destroyVm(vm);
    library.reset();
    return result == MainCallResult::Returned ? 0 : -1;
}
