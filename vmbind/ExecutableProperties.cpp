#include "vmbind/ExecutableProperties.h"

#include "platform/CodePage.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"
#include "platform/Unicode.h"
#include "vmbind/Jdk12Options.h"

namespace {

void setProperty(JNIEnv* env, jclass system, jmethodID set, const char* name, const Text& value) {
    const List<uint16_t> units = utf16FromUtf8(value);
    jstring key = env->NewStringUTF(name);
    jstring text = env->NewString(units.data(), static_cast<jsize>(units.size()));
    if (key && text)
        if (jobject previous = env->CallStaticObjectMethod(system, set, key, text)) env->DeleteLocalRef(previous);
    if (text) env->DeleteLocalRef(text);
    if (key) env->DeleteLocalRef(key);
}

}  // namespace

void setExactExecutableProperties(JNIEnv* env, const LaunchParameters& parameters) {
    const Text exact = platform::ownModulePathUtf8();
    size_t last = exact.size();
    while (last > 0 && !platform::isPathSeparator(exact[last - 1])) --last;
    if (last == 0 || exact == utf8FromAnsi(parameters.exeFolder + parameters.exeName)) return;
    jclass system = env->FindClass("java/lang/System");
    jmethodID set = system ? env->GetStaticMethodID(system, "setProperty",
                                                    "(Ljava/lang/String;Ljava/lang/String;)Ljava/lang/String;")
                           : nullptr;
    if (set) {
        setProperty(env, system, set, "caskit.executable", exact);
        setProperty(env, system, set, "caskit.executable.dir", executableDir(exact.substr(0, last)));
    }
    if (env->ExceptionCheck()) env->ExceptionClear();
    if (system) env->DeleteLocalRef(system);
}
