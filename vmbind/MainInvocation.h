#pragma once
// Calling `static void main(String[])` of the configured class on a created
// VM: the part both VM starts share.

#include <jni.h>

#include "launcher/LaunchParameters.h"

enum class MainCallResult { Returned, Threw, ClassMissing, MainMissing };

struct MainCallTexts {
    const char* mainMissingText = "";  // message when the class has no main
    bool writesTraceLines = false;     // the JDK 1.2 launcher's trace lines
    void (*beforeFailure)() = nullptr;  // called before a failure is shown (the splash closes)
};

// FindClass(mainClass), GetStaticMethodID("main"), the String[] of
// `arguments` (each made from its exact UTF-16 units), CallStaticVoidMethod.
// Shows "Can't find class " + class or the main-missing message when a
// look-up fails; an exception the failed look-up left pending (a class
// compiled for a newer Java, a missing superclass, a failed static
// initializer) is described on standard error (its stack trace, as `java`
// prints it), logged, and on Windows shown in the message's second
// paragraph. An exception thrown out of main is described too and gives
// Threw. A pending exception is always cleared, so no further JNI call
// runs with one.
MainCallResult callMain(JNIEnv* env, const LaunchParameters& parameters, const MainCallTexts& texts);

// Destroys the VM created for this run: always before its library is
// released, also after a failed look-up, so the library never goes away
// under a running VM.
void destroyVm(JavaVM* vm);
