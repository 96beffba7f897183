#pragma once
// The JNI 1.1 invocation record of a JDK 1.1 runtime. Current jni.h files
// no longer declare it, so it is declared here with the fields, order and
// widths of the JNI 1.1 invocation interface.

#include <jni.h>
#include <stdarg.h>
#include <stdio.h>

#ifndef JNI_VERSION_1_1
#define JNI_VERSION_1_1 0x00010001
#endif

struct JDK1_1InitArgs {
    jint version;  // JNI_VERSION_1_1, set by the caller before asking for the defaults
    char** properties;  // null-terminated "name=value" texts
    jint checkSource;
    jint nativeStackSize;  // bytes
    jint javaStackSize;    // bytes
    jint minHeapSize;      // bytes
    jint maxHeapSize;      // bytes
    jint verifyMode;       // 0 none, 1 remote classes, 2 all
    char* classpath;
    jint(JNICALL* vfprintf)(FILE* fp, const char* format, va_list args);
    void(JNICALL* exit)(jint code);
    void(JNICALL* abort)(void);
    jint enableClassGC;
    jint enableVerboseGC;
    jint disableAsyncGC;
    jint verbose;
    jboolean debugging;
    jint debugPort;
};

// The entry point that fills the record with the VM's defaults (the other,
// JNI_CreateJavaVM, is shared with the JDK 1.2 start: VmStartSteps.h).
using GetDefaultJavaVMInitArgsFunction = jint(JNICALL*)(void* args);
