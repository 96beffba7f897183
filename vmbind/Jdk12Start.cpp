// The JDK 1.2 VM start: JNI_CreateJavaVM with a JavaVMInitArgs record of
// version 1.2 and the option list, then main(String[]).
#include <jni.h>

#include "launcher/DiagnosticLog.h"
#include "platform/Environment.h"
#include "platform/MessageBox.h"
#include "platform/PathSeparator.h"
#include "vmbind/ClassPathText.h"
#include "vmbind/Jdk12Options.h"
#include "vmbind/LibraryLoading.h"
#include "vmbind/MainInvocation.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/SearchPath.h"
#include "vmbind/VmStart.h"

namespace {

using CreateJavaVMFunction = jint(JNICALL*)(JavaVM** vm, JNIEnv** env, void* args);

const RuntimeProfile& profile() {
#ifdef _WIN32
    return jdk12Profile();
#else
    return linuxJvmProfile();
#endif
}

void log(const LaunchParameters& parameters, const std::string& line) {
    if (parameters.diagnosticsEnabled) diagnosticLog().writeLine(line);
}

}  // namespace

int startJavaVm(const LaunchParameters& parameters) {
    platform::setCurrentDirectory(parameters.exeFolder);
    discoverRuntime(parameters, profile());
    const std::string joined = joinClassPath(parameters.classPath, platform::kListSeparator);
    updatePath(parameters, profile());
    const std::string classPathText =
        jdk12ClassPathText(parameters.binaryPath, gJDKClassLib, joined, platform::kListSeparator);

    platform::DynamicLibrary library = loadRuntimeLibrary(parameters, profile());
    if (!library) return -1;

    auto createJavaVm = reinterpret_cast<CreateJavaVMFunction>(library.symbol("JNI_CreateJavaVM"));
    if (!createJavaVm) {
        platform::showMessage(nullptr, profile().entryPointText, "Error", platform::kMbOk);
        return -1;  // the library is released on return
    }

    // The option texts live in `optionTexts` until JNI_CreateJavaVM returns.
    std::vector<std::string> optionTexts = jdk12Options(parameters, classPathText);
    std::vector<JavaVMOption> options(optionTexts.size());
    for (std::size_t i = 0; i < optionTexts.size(); ++i) {
        options[i].optionString = optionTexts[i].data();
        options[i].extraInfo = nullptr;
    }
    JavaVMInitArgs initArgs;
    initArgs.version = JNI_VERSION_1_2;
    initArgs.nOptions = static_cast<jint>(options.size());
    initArgs.options = options.data();
    initArgs.ignoreUnrecognized = JNI_TRUE;

    if (parameters.diagnosticsEnabled) {
        for (const std::string& line : jdk12DumpLines(optionTexts)) diagnosticLog().writeLine(line);
    }

    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (createJavaVm(&vm, &env, &initArgs) < 0) {
        platform::showMessage(nullptr, "Error in CreateJavaVM", "", platform::kMbOk);
        return -1;
    }
    log(parameters, "fCreateJavaVMPtr ok\n");
    log(parameters, "ClassName = " + parameters.mainClass);

    MainCallTexts texts;
    texts.mainMissingText = "Can't find main!";
    texts.writesTraceLines = true;
    MainCallResult result = callMain(env, parameters, texts);
    destroyVm(vm);
    library.reset();
    return result == MainCallResult::Returned ? 0 : -1;
}
