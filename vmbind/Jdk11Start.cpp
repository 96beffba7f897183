// The JDK 1.1 VM start: the VM's default JDK1_1InitArgs, overwritten with
// the settings, JNI_CreateJavaVM, then main(String[]).
#include "vmbind/Jdk11Start.h"

#include <string.h>

#include "platform/Environment.h"
#include "platform/PathSeparator.h"
#include "vmbind/ClassPathText.h"
#include "vmbind/Jdk11InitArgs.h"
#include "vmbind/Jdk11Settings.h"
#include "vmbind/LibraryLoading.h"
#include "vmbind/VmClassPath.h"
#include "vmbind/VmStartSteps.h"

int startJdk11Vm(const LaunchParameters& parameters) {
    const RuntimeProfile& profile = jdk11Profile();
    enterWorkingFolder(parameters);
    if (parameters.diagnosticsEnabled) parameters.dumpParameters();
    RuntimePaths paths = prepareRuntime(parameters, profile);
    const Text joined = joinClassPath(parameters.classPath, platform::kListSeparator);
    // Alive until the VM has been destroyed and the library released.
    PropertyArray properties(parameters.properties);

    platform::DynamicLibrary library = loadRuntimeLibrary(parameters, profile, paths);
    if (!library) return -1;

    // Both entry points are always asked for.
    auto getDefaults =
        reinterpret_cast<GetDefaultJavaVMInitArgsFunction>(library.symbol("JNI_GetDefaultJavaVMInitArgs"));
    auto createJavaVm = reinterpret_cast<CreateJavaVMFunction>(library.symbol("JNI_CreateJavaVM"));
    if (!getDefaults || !createJavaVm) {
        reportMissingEntryPoints(profile);
        return -1;  // the library is released on return
    }

    JDK1_1InitArgs initArgs;
    memset(&initArgs, 0, sizeof initArgs);
    initArgs.version = JNI_VERSION_1_1;
    getDefaults(&initArgs);
    applySettings(initArgs, parameters, properties.data());
    // Kept alive until JNI_CreateJavaVM has returned.
    Text classPathText =
        vmClassPath(parameters, jdk11ClassPathText(joined, initArgs.classpath, platform::kListSeparator), false);
    initArgs.classpath = classPathText.data();

    MainCallTexts texts;
    texts.mainMissingText = "Can't find main!  Either the classname is invalid,or the classpath is not complete.";
    return runJavaVm(library, createJavaVm, &initArgs, parameters, jdk11DumpLines(initArgs), texts);
}
