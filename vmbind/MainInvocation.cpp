#include "vmbind/MainInvocation.h"

#include "launcher/DiagnosticLog.h"
#include "platform/MessageBox.h"
#include "platform/Unicode.h"

static void trace(const MainCallTexts& texts, const LaunchParameters& parameters, const char* line) {
    if (texts.writesTraceLines && parameters.diagnosticsEnabled) diagnosticLog().writeLine(line);
}

static void clearPendingException(JNIEnv* env) {
    if (env->ExceptionOccurred()) env->ExceptionClear();
}

MainCallResult callMain(JNIEnv* env, const LaunchParameters& parameters, const MainCallTexts& texts) {
    jclass mainClass = env->FindClass(parameters.mainClass.c_str());
    if (!mainClass) {
        clearPendingException(env);
        platform::showMessage(nullptr, ("Can't find class " + parameters.mainClass).c_str(), "Error", platform::kMbOk);
        return MainCallResult::ClassMissing;
    }
    trace(texts, parameters, "FindClass ok\n");

    jmethodID mainMethod = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
    if (!mainMethod) {
        clearPendingException(env);
        platform::showMessage(nullptr, texts.mainMissingText, "", platform::kMbOk);
        return MainCallResult::MainMissing;
    }
    trace(texts, parameters, "GetStaticMethodID ok\n");

    const jsize count = static_cast<jsize>(parameters.arguments.size());
    jclass stringClass = env->FindClass("java/lang/String");
    jobjectArray array = env->NewObjectArray(count, stringClass, nullptr);
    for (jsize i = 0; i < count; ++i) {
        const List<uint16_t> units = utf16FromUtf8(parameters.arguments[static_cast<size_t>(i)]);
        jstring argument = env->NewString(units.data(), static_cast<jsize>(units.size()));
        env->SetObjectArrayElement(array, i, argument);
        env->DeleteLocalRef(argument);
    }

    trace(texts, parameters, "CallStaticVoidMethod Start\n");
    // The variadic entry itself (the C++ wrapper of jni.h would go through
    // CallStaticVoidMethodV instead).
    env->functions->CallStaticVoidMethod(env, mainClass, mainMethod, array);
    trace(texts, parameters, "CallStaticVoidMethod End\n");
    // ExceptionOccurred, not ExceptionCheck: a JDK 1.1 runtime has only the former.
    if (env->ExceptionOccurred()) {
        if (parameters.diagnosticsEnabled) diagnosticLog().writeLine("main ended with an exception");
        env->ExceptionDescribe();  // prints the stack trace and clears the exception
        clearPendingException(env);
        return MainCallResult::Threw;
    }
    return MainCallResult::Returned;
}

void destroyVm(JavaVM* vm) {
    if (vm) vm->DestroyJavaVM();
}
