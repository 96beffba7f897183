/* Machine-dependent JNI declarations for Windows builds with MinGW-w64:
   the JNI calling convention is __stdcall, exported entry points use
   dllexport, jint is 32 bits and jlong 64 bits on both architectures. */
#ifndef CASKIT_JNI_MD_H
#define CASKIT_JNI_MD_H

#ifndef JNIEXPORT
#define JNIEXPORT __declspec(dllexport)
#endif
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
