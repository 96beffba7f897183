#pragma once
// The steps both VM starts share: preparing the runtime before the library
// is loaded, and the run of the VM once its invocation record is filled.

#include <jni.h>

#include "launcher/LaunchParameters.h"
#include "platform/DynamicLibrary.h"
#include "vmbind/MainInvocation.h"
#include "vmbind/RuntimeDiscovery.h"
#include "vmbind/RuntimeProfile.h"

// JNI_CreateJavaVM of both runtime generations; the record is a
// JDK1_1InitArgs or a JavaVMInitArgs.
using CreateJavaVMFunction = jint(JNICALL*)(JavaVM** vm, JNIEnv** env, void* args);

// The VM start's first step: the executable's folder becomes the current
// one, unless the program works in the caller's folder ("workingfolder"
// caller), which is then left as the caller set it.
void enterWorkingFolder(const LaunchParameters& parameters);

// The class-path text as the VM gets it (vmClassPathText): made absolute
// against the executable's folder when the caller's folder stays current,
// wildcards expanded; a folder that cannot be listed is logged.
Text finishClassPath(const LaunchParameters& parameters, const Text& text);

// discoverRuntime, then updatePath with the bin folder it found, so PATH
// is rewritten before the first library is loaded. Returns what discovery
// found.
RuntimePaths prepareRuntime(const LaunchParameters& parameters, const RuntimeProfile& profile);

// The profile's "Can't locate JVM entry points" message, caption "Error".
void reportMissingEntryPoints(const RuntimeProfile& profile);

// Writes every text with writeLine of the diagnostic log, when diagnostics
// are on.
void writeDiagnosticLines(const LaunchParameters& parameters, const List<Text>& lines);

// Writes the JVM parameter dump `dumpLines` (diagnostics on), creates the
// VM with `initArgs` ("Error in CreateJavaVM" with an empty caption when
// the result is negative), calls main, destroys the VM and releases
// `library` - on every path, and never before the VM is destroyed. 0 when
// main has returned, -1 after a failure that has been shown or when main
// ended with an exception. `afterCreate` (when given) runs on the new VM
// before main is looked up.
int runJavaVm(platform::DynamicLibrary& library, CreateJavaVMFunction create, void* initArgs,
              const LaunchParameters& parameters, const List<Text>& dumpLines, const MainCallTexts& texts,
              void (*afterCreate)(JNIEnv* env, const LaunchParameters& parameters) = nullptr);
