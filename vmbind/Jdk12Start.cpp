// The JDK 1.2 VM start: JNI_CreateJavaVM with a JavaVMInitArgs record of
// version 1.2 and the option list, then main(String[]).
#include "vmbind/Jdk12Start.h"

#include <jni.h>

#include "launcher/DiagnosticLog.h"
#include "platform/Environment.h"
#include "platform/PathSeparator.h"
#include "vmbind/ClassPathText.h"
#include "vmbind/ExecutableProperties.h"
#include "vmbind/Jdk12Options.h"
#include "vmbind/JdkJavaOptions.h"
#include "vmbind/OptionsFile.h"
#include "vmbind/LibraryLoading.h"
#include "vmbind/RestartOnExit.h"
#include "vmbind/RuntimeSearch.h"
#include "vmbind/SingleInstance.h"
#include "vmbind/SplashScreen.h"
#include "vmbind/StartupCache.h"
#include "vmbind/VmClassPath.h"
#include "vmbind/VmStartSteps.h"

namespace {

const RuntimeProfile& profile() {
#ifdef _WIN32
    return jdk12Profile();
#else
    return linuxJvmProfile();
#endif
}

// What runs on the new VM before main: the start-up cache's trial is
// over; Windows sets the executable's exact properties; a single instance
// starts taking hand-overs.
void afterVmCreated(JNIEnv* env, const LaunchParameters& parameters) {
    startupCacheStarted();
#ifdef _WIN32
    setExactExecutableProperties(env, parameters);
#endif
    if (parameters.singleInstance) serveHandOvers(env, parameters);
}

}  // namespace

int startJdk12Vm(const LaunchParameters& parameters) {
    int handedOver = 0;
    if (parameters.singleInstance && !startupCacheDump() && handOverToFirstInstance(parameters, handedOver))
        return handedOver == 0 ? 0 : -1;
    enterWorkingFolder(parameters);
    OptionSources sources;
    if (!loadOptionsFile(executableDir(parameters.exeFolder), sources.optionsFile)) return -1;
    RuntimePaths paths = prepareRuntime(parameters, profile());
    const Text joined = joinClassPath(parameters.classPath, platform::kListSeparator);
    JavaVersion version;
    platform::DynamicLibrary library = loadRuntimeLibraryOrSearch(parameters, profile(), paths, version);
    if (!library || !jdkJavaOptions(parameters, version, sources.jdkJavaOptions)) return -1;
    // After the loading: a runtime the search found has no class library.
    const Text classPathText = vmClassPath(
        parameters, jdk12ClassPathText(parameters.binaryPath, paths.classLib, joined, platform::kListSeparator),
        parameters.embeddedJar);

    auto createJavaVm = reinterpret_cast<CreateJavaVMFunction>(library.symbol("JNI_CreateJavaVM"));
    if (!createJavaVm) {
        reportMissingEntryPoints(profile());
        return -1;  // the library is released on return
    }

    if (!startupCacheDump()) showSplashScreen(parameters, reinterpret_cast<const void*>(createJavaVm));

    // The option texts live in `optionTexts` until JNI_CreateJavaVM returns.
    VmOptions optionTexts = vmOptions(parameters, classPathText, version, sources);
    addStartupCacheOptions(parameters, version, classPathText, reinterpret_cast<const void*>(createJavaVm), optionTexts);
    if (parameters.jitDisabled && !honoursCompilerProperty(version) && parameters.diagnosticsEnabled) {
        Text line = "JIT off: -Djava.compiler=NONE left out for Java ";
        line += versionText(version);
        diagnosticLog().writeLine(line);
    }
    List<JavaVMOption> options;
    for (Text& text : optionTexts.texts) {
        JavaVMOption option;
        option.optionString = text.data();
        option.extraInfo = nullptr;
        options.push_back(option);
    }
    if (!startupCacheDump()) addRestartHook(parameters, options);
    JavaVMInitArgs initArgs;
    initArgs.version = JNI_VERSION_1_2;
    initArgs.nOptions = static_cast<jint>(options.size());
    initArgs.options = options.data();
    // A runtime of Java 9 or newer takes every option the launcher passes
    // it, so an option it does not know can only be the user's: it ends
    // the start as under `java` (the VM names it on standard error) rather
    // than passing in silence. Older and unknown runtimes are let ignore
    // what they do not know, as always.
    initArgs.ignoreUnrecognized = version.count > 0 && version.parts[0] >= 9 ? JNI_FALSE : JNI_TRUE;

    if (startupCacheDump()) return dumpStartupCache(createJavaVm, &initArgs);

    MainCallTexts texts;
    texts.mainMissingText = "Can't find main!";
    texts.writesTraceLines = true;
    texts.beforeFailure = closeSplashScreen;
    return runJavaVm(library, createJavaVm, &initArgs, parameters, jdk12DumpLines(optionTexts), texts,
                     afterVmCreated);
}
