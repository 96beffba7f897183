#pragma once
// caskit.executable and caskit.executable.dir exactly as the system holds
// the executable's path. The VM reads option texts in the ANSI code page
// on Windows, so where that cannot hold the path the options carry its
// short form; the properties are then set again from the UTF-16 path.

#include <jni.h>

#include "launcher/LaunchParameters.h"

// Sets both properties with System.setProperty from the exact path when
// the ANSI path of `parameters` is not that path; nothing otherwise. A
// failure leaves the options' values and no pending exception.
void setExactExecutableProperties(JNIEnv* env, const LaunchParameters& parameters);
