#include "vmbind/SingleInstance.h"

#include "launcher/DiagnosticLog.h"
#include "launcher/HandOver.h"
#include "platform/Console.h"
#include "platform/Environment.h"
#include "platform/Instance.h"
#include "platform/MessageBox.h"
#include "platform/OwnModule.h"
#include "platform/Unicode.h"
#include "vmbind/CacheFolder.h"
#include "vmbind/CacheState.h"

namespace {

constexpr unsigned kAnswerTime = 5000;

JavaVM* gVm = nullptr;
const LaunchParameters* gParameters = nullptr;
bool gFirst = false;

void log(const Text& line) {
    if (gParameters->diagnosticsEnabled) diagnosticLog().writeLine(line);
}

jstring javaText(JNIEnv* env, const Text& utf8) {
    const List<uint16_t> units = utf16FromUtf8(utf8);
    return env->NewString(units.data(), static_cast<jsize>(units.size()));
}

// Calls the handler with one hand-over; an exception it throws is
// described on standard error, as the VM does for a thread's.
void callHandler(JNIEnv* env, jclass type, jmethodID method, const Text& folder, const List<Text>& arguments) {
    if (env->PushLocalFrame(static_cast<jint>(arguments.size()) + 8) != 0) return;
    jclass stringClass = env->FindClass("java/lang/String");
    jobjectArray array = stringClass ? env->NewObjectArray(static_cast<jsize>(arguments.size()), stringClass, nullptr)
                                     : nullptr;
    for (size_t i = 0; array && i < arguments.size(); ++i)
        env->SetObjectArrayElement(array, static_cast<jsize>(i), javaText(env, arguments[i]));
    jstring where = array ? javaText(env, folder) : nullptr;
    if (where && !env->ExceptionCheck()) env->functions->CallStaticVoidMethod(env, type, method, where, array);
    if (env->ExceptionCheck()) env->ExceptionDescribe();
    env->PopLocalFrame(nullptr);
}

// The handler's class and method; false (said once) when either is missing.
bool findHandler(JNIEnv* env, jclass& type, jmethodID& method) {
    const Text& handler = gParameters->instanceHandler;
    const size_t dot = handler.rfind('.');
    Text className = dot == Text::npos ? Text() : handler.substr(0, dot);
    for (size_t i = 0; i < className.size(); ++i)
        if (className[i] == '.') className[i] = '/';
    jclass found = className.empty() ? nullptr : env->FindClass(className.c_str());
    method = found ? env->GetStaticMethodID(found, handler.c_str() + dot + 1, "(Ljava/lang/String;[Ljava/lang/String;)V")
                   : nullptr;
    if (!method) {
        if (env->ExceptionCheck()) env->ExceptionClear();
        Text line = "Instance handler not found: static void ";
        line += handler;
        line += "(String, String[])";
        platform::writeErrorLine(line.c_str());
        return false;
    }
    type = static_cast<jclass>(env->NewGlobalRef(found));
    return true;
}

void takeHandOvers(void*) {
    JNIEnv* env = nullptr;
    if (gVm->AttachCurrentThreadAsDaemon(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return;
    jclass type = nullptr;
    jmethodID method = nullptr;
    const bool handled = !gParameters->instanceHandler.empty() && findHandler(env, type, method);
    Text message, folder;
    List<Text> arguments;
    while (platform::receiveHandOver(message)) {
        if (!readHandOverMessage(message, folder, arguments)) continue;
        Text line = "Hand-over from ";
        line += folder;
        line += ": ";
        line += decimalText(arguments.size());
        line += " arguments";
        log(line);
        if (handled) callHandler(env, type, method, folder, arguments);
        else platform::showOwnWindow();
    }
}

}  // namespace

Text instanceName(const Text& id, const Text& executablePath) {
    const Text& key = id.empty() ? executablePath : id;
    Text name;  // the key's FNV-1a hash in hexadecimal, as the start-up cache names its files
    appendHex(name, cacheHash(kCacheHashStart, key.data(), key.size()));
    return name;
}

bool handOverToFirstInstance(const LaunchParameters& parameters, int& exitCode) {
    gParameters = &parameters;
    const Text name = instanceName(parameters.instanceId, platform::ownModulePathUtf8());
    switch (platform::claimInstance(name)) {
    case platform::InstanceRole::First: gFirst = true; return false;
    case platform::InstanceRole::Unavailable: log("One instance: no private folder for the lock"); return false;
    case platform::InstanceRole::Later: break;
    }
    if (platform::sendHandOver(name, handOverMessage(platform::currentFolderUtf8(), parameters.arguments), kAnswerTime)) {
        log("Handed over to the running instance");
        exitCode = 0;
        return true;
    }
    // A windowed Windows program has no standard error to say it on.
    const char* text = "The program is running already, but did not answer within 5 seconds.";
#ifdef _WIN32
    platform::showMessage(nullptr, text, "", platform::kMbOk);
#else
    platform::writeErrorLine(text);
#endif
    exitCode = 1;
    return true;
}

void serveHandOvers(JNIEnv* env, const LaunchParameters& parameters) {
    if (!gFirst || env->GetJavaVM(&gVm) != 0) return;
    // A thread attached as a daemon (JNI 1.4) does not hold the VM's end up.
    if (env->GetVersion() < JNI_VERSION_1_4 || !platform::startThread(takeHandOvers, nullptr))
        log("One instance: hand-overs are not taken on this runtime");
    (void)parameters;
}
