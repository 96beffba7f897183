#include "vmbind/MainInvocation.h"

#include "launcher/DiagnosticLog.h"
#include "platform/CodePage.h"
#include "platform/MessageBox.h"
#include "platform/Unicode.h"

namespace {

void trace(const MainCallTexts& texts, const LaunchParameters& parameters, const char* line) {
    if (texts.writesTraceLines && parameters.diagnosticsEnabled) diagnosticLog().writeLine(line);
}

void clearPendingException(JNIEnv* env) {
    if (env->ExceptionOccurred()) env->ExceptionClear();
}

// The text of an exception (toString(): its class, then ": " and its
// message when it has one) in the system's 8-bit text; empty when the VM
// gives none. Called with no exception pending, and leaves none.
Text exceptionText(JNIEnv* env, jthrowable thrown) {
    Text text;
    jclass type = env->GetObjectClass(thrown);
    jmethodID toString = type ? env->GetMethodID(type, "toString", "()Ljava/lang/String;") : nullptr;
    jstring value = nullptr;
    if (toString) value = static_cast<jstring>(env->functions->CallObjectMethod(env, thrown, toString));
    if (value && !env->ExceptionOccurred()) {
        // The VM's modified UTF-8: UTF-8 for every character a message is
        // likely to hold.
        if (const char* utf8 = env->GetStringUTFChars(value, nullptr)) {
            text = ansiFromUtf8(utf8);
            env->ReleaseStringUTFChars(value, utf8);
        }
    }
    clearPendingException(env);
    return text;
}

// After a failed step: the pending exception, when there is one, is
// described as `java` describes it (its stack trace on standard error)
// and cleared; its text goes to the log with the step's name. The text,
// empty when nothing was pending.
Text failureCause(JNIEnv* env, const LaunchParameters& parameters, const char* step) {
    // ExceptionOccurred, not ExceptionCheck: a JDK 1.1 runtime has only the former.
    jthrowable thrown = env->ExceptionOccurred();
    if (!thrown) return Text();
    env->ExceptionDescribe();
    clearPendingException(env);  // a JDK 1.1 runtime may leave it pending
    Text cause = exceptionText(env, thrown);
    if (parameters.diagnosticsEnabled) {
        Text line = step;
        line += " failed: ";
        line += cause;
        diagnosticLog().writeLine(line);
    }
    return cause;
}

// A failed look-up's message. Standard error of a Windows GUI program goes
// nowhere, so there the cause follows as a second paragraph.
void showFailure(const MainCallTexts& texts, const Text& text, const char* caption, const Text& cause) {
    if (texts.beforeFailure) texts.beforeFailure();
    Text shown = text;
#ifdef _WIN32
    if (!cause.empty()) (shown += "\n\n") += cause;
#else
    (void)cause;  // already on standard error
#endif
    platform::showMessage(nullptr, shown.c_str(), caption, platform::kMbOk);
}

MainCallResult classMissing(JNIEnv* env, const LaunchParameters& parameters, const MainCallTexts& texts,
                            const char* name) {
    const Text cause = failureCause(env, parameters, "FindClass");
    showFailure(texts, Text("Can't find class ") + name, "Error", cause);
    return MainCallResult::ClassMissing;
}

}  // namespace

MainCallResult callMain(JNIEnv* env, const LaunchParameters& parameters, const MainCallTexts& texts) {
    jclass mainClass = env->FindClass(parameters.mainClass.c_str());
    if (!mainClass) return classMissing(env, parameters, texts, parameters.mainClass.c_str());
    trace(texts, parameters, "FindClass ok\n");

    jmethodID mainMethod = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
    if (!mainMethod) {
        const Text cause = failureCause(env, parameters, "GetStaticMethodID");
        showFailure(texts, texts.mainMissingText, "", cause);
        return MainCallResult::MainMissing;
    }
    trace(texts, parameters, "GetStaticMethodID ok\n");

    const jsize count = static_cast<jsize>(parameters.arguments.size());
    jclass stringClass = env->FindClass("java/lang/String");
    if (!stringClass) return classMissing(env, parameters, texts, "java/lang/String");
    // Out of memory leaves an exception pending: no further call is made.
    jobjectArray array = env->NewObjectArray(count, stringClass, nullptr);
    for (jsize i = 0; array && i < count; ++i) {
        const List<uint16_t> units = utf16FromUtf8(parameters.arguments[static_cast<size_t>(i)]);
        jstring argument = env->NewString(units.data(), static_cast<jsize>(units.size()));
        if (!argument) {
            array = nullptr;
            break;
        }
        env->SetObjectArrayElement(array, i, argument);
        env->DeleteLocalRef(argument);
    }
    if (!array) {
        failureCause(env, parameters, "String[]");
        return MainCallResult::Threw;
    }

    trace(texts, parameters, "CallStaticVoidMethod Start\n");
    // The variadic entry itself (the C++ wrapper of jni.h would go through
    // CallStaticVoidMethodV instead).
    env->functions->CallStaticVoidMethod(env, mainClass, mainMethod, array);
    trace(texts, parameters, "CallStaticVoidMethod End\n");
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
