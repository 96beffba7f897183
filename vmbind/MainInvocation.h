#pragma once
// Calling `static void main(String[])` of the configured class on a created
// VM: the part both VM starts share.

#include <jni.h>

#include "launcher/LaunchParameters.h"

enum class MainCallResult { Returned, ClassMissing, MainMissing };

struct MainCallTexts {
    const char* mainMissingText = "";  // message when the class has no main
    bool writesTraceLines = false;     // the JDK 1.2 launcher's trace lines
};

// FindClass(mainClass), GetStaticMethodID("main"), the String[] of
// `arguments`, CallStaticVoidMethod. Shows "Can't find class " + class or
// the main-missing message when a look-up fails. A Java exception left
// pending (by a failed look-up or by main) is cleared, so that no further
// JNI call runs with an exception pending.
MainCallResult callMain(JNIEnv* env, const LaunchParameters& parameters, const MainCallTexts& texts);

// Destroys the VM created for this run: always before its library is
// released, also after a failed look-up, so the library never goes away
// under a running VM.
void destroyVm(JavaVM* vm);
