// A stand-in Java VM library for the launcher tests, never shipped. Built
// as jvm.dll (JDK 1.2 invocation: JNI_CreateJavaVM with JavaVMInitArgs) and
// as javai.dll (JDK 1.1: JNI_GetDefaultJavaVMInitArgs and JNI_CreateJavaVM
// with JDK1_1InitArgs). It records every record field, the current
// directory, PATH at creation and every JNI call it receives, one line
// each, in the log file named by CASKIT_STANDIN_LOG (default: standin.log
// beside the library). CASKIT_STANDIN_FAIL selects a failure:
//   create  JNI_CreateJavaVM returns -1
//   class   FindClass of the main class returns null (exception pending:
//           an UnsupportedClassVersionError)
//   main    GetStaticMethodID returns null (exception pending: a
//           NoSuchMethodError)
//   string  FindClass of java/lang/String returns null (exception
//           pending: a NoClassDefFoundError)
//   throw   main "throws": an exception is pending when it returns
//   exit:N  main ends the process with ExitProcess(N), after calling the
//           "exit" option's hook with N when there is one
// CASKIT_STANDIN_SHOW names one more variable whose value is recorded.
// CASKIT_STANDIN_PRINT: main writes its value and a line break to the
// process's standard output, and "stand-in error output" to standard error.
// CASKIT_STANDIN_WAIT names a file: main records "main waits" and returns
// once the file exists (at most 60 seconds), so that the process keeps
// running while a test starts others. A static void method other than main
// is an instance handler (String folder, String[] args): its call is
// recorded with the folder and the arguments, and nothing else happens.
// The handler's thread attaches itself: AttachCurrentThreadAsDaemon,
// GetJavaVM, GetVersion and the local frames are recorded or answered.
// When the launcher releases the library (FreeLibrary, not process exit),
// "FreeLibrary console=yes|no" is recorded: the last line of every run
// that loaded it, with whether a console existed at that moment.
// Compile-time switches leave an entry point out (STANDIN_NO_CREATE,
// STANDIN_NO_DEFAULTS) for the missing-entry-point messages;
// STANDIN_VERSION gives the library a version resource of that product
// version (StandinVersion.rc).
#include <windows.h>

#include <jni.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef STANDIN_JDK11
#include "vmbind/Jdk11InitArgs.h"
#endif

namespace {

HMODULE gModule = nullptr;

std::string environmentValue(const char* name) {
    char buffer[32768];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return n == 0 ? std::string("<unset>") : std::string("<too long>");
    return std::string(buffer, n);
}

std::string logPath() {
    char buffer[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("CASKIT_STANDIN_LOG", buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer) return std::string(buffer, n);
    n = GetModuleFileNameA(gModule, buffer, sizeof buffer);
    std::string path(buffer, n < sizeof buffer ? n : 0);
    std::size_t slash = path.find_last_of('\\');
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "standin.log";
}

// One line at a time: a handler's thread records while main runs.
CRITICAL_SECTION gRecording;

void record(const std::string& line) {
    EnterCriticalSection(&gRecording);
    if (FILE* f = std::fopen(logPath().c_str(), "ab")) {
        std::fwrite((line + "\n").data(), 1, line.size() + 1, f);
        std::fclose(f);
    }
    LeaveCriticalSection(&gRecording);
}

std::string failure() {
    std::string value = environmentValue("CASKIT_STANDIN_FAIL");
    return value == "<unset>" ? std::string() : value;
}

[[maybe_unused]] std::string hex(unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", value);
    return buffer;
}

// Objects handed out as jobject: strings, classes and arrays.
struct Object {
    std::string text;  // class name or string bytes
    std::vector<Object*> elements;
};

jobject newObject(const std::string& text) {
    Object* object = new Object;  // lives until the process ends: the VM is a test double
    object->text = text;
    return reinterpret_cast<jobject>(object);
}
Object* object(jobject handle) { return reinterpret_cast<Object*>(handle); }

// The pending exception's toString() text; empty when none is pending.
std::string gPending;
std::string gMainClass;
const char kClassVersionError[] =
    "java.lang.UnsupportedClassVersionError: app/Main has been compiled by a more recent version of the Java "
    "Runtime (class file version 69.0), this version of the Java Runtime only recognizes class file versions up to "
    "61.0 \xc3\xa9";

jclass JNICALL findClass(JNIEnv*, const char* name) {
    record(std::string("FindClass ") + name);
    bool isString = std::strcmp(name, "java/lang/String") == 0 || std::strcmp(name, "java/lang/System") == 0;
    if (!isString && failure() == "class") {
        gPending = kClassVersionError;
        return nullptr;
    }
    if (isString && failure() == "string") {
        gPending = "java.lang.NoClassDefFoundError: java/lang/String";
        return nullptr;
    }
    if (!isString) gMainClass = name;
    return static_cast<jclass>(newObject(name));
}

jmethodID JNICALL getStaticMethodId(JNIEnv*, jclass cls, const char* name, const char* signature) {
    record(std::string("GetStaticMethodID ") + object(cls)->text + " " + name + " " + signature);
    if (failure() == "main") {
        gPending = "java.lang.NoSuchMethodError: main";
        return nullptr;
    }
    return reinterpret_cast<jmethodID>(newObject(name));
}

jobjectArray JNICALL newObjectArray(JNIEnv*, jsize length, jclass elementClass, jobject initial) {
    record("NewObjectArray " + std::to_string(length) + " " + object(elementClass)->text +
           (initial ? " initial" : " null"));
    Object* array = object(newObject("[]"));
    array->elements.assign(static_cast<std::size_t>(length), nullptr);
    return reinterpret_cast<jobjectArray>(array);
}

jstring JNICALL newStringUtf(JNIEnv*, const char* bytes) {
    record(std::string("NewStringUTF ") + bytes);
    return static_cast<jstring>(newObject(bytes));
}

// The exact UTF-16 units, recorded as hexadecimal numbers; the object's
// text is their UTF-8 form (a lone surrogate as "\uXXXX").
jstring JNICALL newString(JNIEnv*, const jchar* units, jsize length) {
    std::string hexUnits, text;
    for (jsize i = 0; i < length; ++i) {
        char unit[8];
        std::snprintf(unit, sizeof unit, "%s%04X", i ? " " : "", static_cast<unsigned>(units[i]));
        hexUnits += unit;
        unsigned c = units[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
            hexUnits += " ";
            std::snprintf(unit, sizeof unit, "%04X", static_cast<unsigned>(units[i]));
            hexUnits += unit;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            std::snprintf(unit, sizeof unit, "\\u%04X", c);
            text += unit;
            continue;
        }
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | (c >> 18));
            text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    record("NewString " + hexUnits);
    return static_cast<jstring>(newObject(text));
}

void JNICALL setObjectArrayElement(JNIEnv*, jobjectArray array, jsize index, jobject value) {
    record("SetObjectArrayElement " + std::to_string(index) + " " + object(value)->text);
    Object* a = object(array);
    if (index >= 0 && static_cast<std::size_t>(index) < a->elements.size())
        a->elements[static_cast<std::size_t>(index)] = object(value);
}

void JNICALL deleteLocalRef(JNIEnv*, jobject value) { record("DeleteLocalRef " + object(value)->text); }

// The "exit" option's hook (JDK 1.2 record), or null.
void(JNICALL* gExitHook)(jint) = nullptr;

void waitForFile(const std::string& path) {
    record("main waits");
    for (int i = 0; i < 3000 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);
}

// main(String[]), or a handler's (String folder, String[] args) when
// `folder` is given.
void callMain(const char* entry, jclass cls, jmethodID method, jobjectArray array, jobject folder = nullptr) {
    Object* a = object(array);
    record(entry + std::string(" ") + object(cls)->text + "." + object(reinterpret_cast<jobject>(method))->text +
           (folder ? " folder=" + object(folder)->text : std::string()) +
           " argc=" + (a ? std::to_string(a->elements.size()) : std::string("null")));
    if (a) {
        for (std::size_t i = 0; i < a->elements.size(); ++i)
            record("  args[" + std::to_string(i) + "]=" + (a->elements[i] ? a->elements[i]->text : "<null>"));
    }
    if (folder) return;
    const std::string wait = environmentValue("CASKIT_STANDIN_WAIT");
    if (wait != "<unset>") waitForFile(wait);
    const std::string print = environmentValue("CASKIT_STANDIN_PRINT");
    if (print != "<unset>") {
        const std::string out = print + "\n", err = "stand-in error output\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), err.data(), static_cast<DWORD>(err.size()), &written, nullptr);
    }
    std::string fail = failure();
    if (fail == "throw") gPending = "java.lang.RuntimeException: thrown by the stand-in";
    if (fail.compare(0, 5, "exit:") == 0) {
        // System.exit: the VM calls the launcher's exit hook first.
        if (gExitHook) {
            record("exit hook " + fail.substr(5));
            gExitHook(std::atoi(fail.c_str() + 5));
        }
        record("ExitProcess " + fail.substr(5));
        ExitProcess(static_cast<UINT>(std::atoi(fail.c_str() + 5)));
    }
}

void JNICALL callStaticVoidMethod(JNIEnv*, jclass cls, jmethodID method, ...) {
    va_list args;
    va_start(args, method);
    jobject first = va_arg(args, jobject);
    const bool handler = object(reinterpret_cast<jobject>(method))->text != "main";
    jobjectArray array = handler ? va_arg(args, jobjectArray) : static_cast<jobjectArray>(first);
    va_end(args);
    callMain("CallStaticVoidMethod", cls, method, array, handler ? first : nullptr);
}

void JNICALL callStaticVoidMethodV(JNIEnv*, jclass cls, jmethodID method, va_list args) {
    callMain("CallStaticVoidMethodV", cls, method, va_arg(args, jobjectArray));
}

// System.setProperty and the like: the class, method and string arguments.
jobject JNICALL callStaticObjectMethodV(JNIEnv*, jclass cls, jmethodID method, va_list args) {
    jobject key = va_arg(args, jobject);
    jobject value = va_arg(args, jobject);
    record("CallStaticObjectMethod " + object(cls)->text + "." + object(reinterpret_cast<jobject>(method))->text + " " +
           object(key)->text + "=" + object(value)->text);
    return nullptr;
}

jobject JNICALL callStaticObjectMethod(JNIEnv* env, jclass cls, jmethodID method, ...) {
    va_list args;
    va_start(args, method);
    jobject result = callStaticObjectMethodV(env, cls, method, args);
    va_end(args);
    return result;
}

jboolean JNICALL exceptionCheck(JNIEnv*) { return !gPending.empty() ? JNI_TRUE : JNI_FALSE; }

// A throwable is an object whose text is its toString() text.
jthrowable JNICALL exceptionOccurred(JNIEnv*) {
    return gPending.empty() ? nullptr : static_cast<jthrowable>(newObject(gPending));
}

void JNICALL exceptionDescribe(JNIEnv*) {
    record(std::string("ExceptionDescribe") + (gPending.empty() ? " (none pending)" : ""));
    if (!gPending.empty()) std::fprintf(stderr, "Exception in thread \"main\" %s\n", gPending.c_str());
    gPending.clear();
}

void JNICALL exceptionClear(JNIEnv*) {
    record("ExceptionClear");
    gPending.clear();
}

// Every call below is recorded with "(pending)" when an exception is
// pending, which JNI does not allow.
std::string pendingMark() { return gPending.empty() ? "" : " (pending)"; }

jclass JNICALL getObjectClass(JNIEnv*, jobject value) {
    record("GetObjectClass" + pendingMark());
    return static_cast<jclass>(newObject("class of " + object(value)->text));
}

jmethodID JNICALL getMethodId(JNIEnv*, jclass, const char* name, const char* signature) {
    record(std::string("GetMethodID ") + name + " " + signature + pendingMark());
    return reinterpret_cast<jmethodID>(newObject(name));
}

// toString() of a throwable: a string of its text.
jobject JNICALL callObjectMethod(JNIEnv*, jobject value, jmethodID method, ...) {
    record("CallObjectMethod " + object(reinterpret_cast<jobject>(method))->text + pendingMark());
    return newObject(object(value)->text);
}

// The text is UTF-8, which is the VM's modified UTF-8 for these texts.
const char* JNICALL getStringUtfChars(JNIEnv*, jstring value, jboolean* isCopy) {
    record("GetStringUTFChars" + pendingMark());
    if (isCopy) *isCopy = JNI_FALSE;
    return object(value)->text.c_str();
}

void JNICALL releaseStringUtfChars(JNIEnv*, jstring, const char*) { record("ReleaseStringUTFChars"); }

jint JNICALL destroyJavaVm(JavaVM*) {
    record("DestroyJavaVM");
    return 0;
}

JNIEnv gEnv;
JavaVM gVm;

jint JNICALL attachAsDaemon(JavaVM*, void** env, void*) {
    record("AttachCurrentThreadAsDaemon");
    *env = &gEnv;
    return JNI_OK;
}

jint JNICALL getJavaVm(JNIEnv*, JavaVM** vm) {
    *vm = &gVm;
    return 0;
}

jint JNICALL getVersion(JNIEnv*) { return JNI_VERSION_1_8; }
jint JNICALL pushLocalFrame(JNIEnv*, jint) { return 0; }
jobject JNICALL popLocalFrame(JNIEnv*, jobject result) { return result; }
jobject JNICALL newGlobalRef(JNIEnv*, jobject value) { return value; }

JNINativeInterface_ makeNativeInterface() {
    JNINativeInterface_ table;
    std::memset(&table, 0, sizeof table);
    table.FindClass = findClass;
    table.GetStaticMethodID = getStaticMethodId;
    table.NewObjectArray = newObjectArray;
    table.NewStringUTF = newStringUtf;
    table.NewString = newString;
    table.ExceptionDescribe = exceptionDescribe;
    table.SetObjectArrayElement = setObjectArrayElement;
    table.DeleteLocalRef = deleteLocalRef;
    table.CallStaticVoidMethod = callStaticVoidMethod;
    table.CallStaticVoidMethodV = callStaticVoidMethodV;
    table.ExceptionOccurred = exceptionOccurred;
    table.ExceptionClear = exceptionClear;
    table.GetObjectClass = getObjectClass;
    table.GetMethodID = getMethodId;
    table.CallObjectMethod = callObjectMethod;
    table.GetStringUTFChars = getStringUtfChars;
    table.ReleaseStringUTFChars = releaseStringUtfChars;
    table.ExceptionCheck = exceptionCheck;
    table.CallStaticObjectMethod = callStaticObjectMethod;
    table.CallStaticObjectMethodV = callStaticObjectMethodV;
    table.GetJavaVM = getJavaVm;
    table.GetVersion = getVersion;
    table.PushLocalFrame = pushLocalFrame;
    table.PopLocalFrame = popLocalFrame;
    table.NewGlobalRef = newGlobalRef;
    return table;
}

JNIInvokeInterface_ makeInvokeInterface() {
    JNIInvokeInterface_ table;
    std::memset(&table, 0, sizeof table);
    table.DestroyJavaVM = destroyJavaVm;
    table.AttachCurrentThreadAsDaemon = attachAsDaemon;
    return table;
}

const JNINativeInterface_ gNativeInterface = makeNativeInterface();
const JNIInvokeInterface_ gInvokeInterface = makeInvokeInterface();

// Whether the process has a console: "CONOUT$" opens only then (a console
// without a window, as Wine makes without a display, counts too).
std::string consoleState() {
    HANDLE output = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (output == INVALID_HANDLE_VALUE) return "no";
    CloseHandle(output);
    return "yes";
}

void recordSurroundings() {
    char folder[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof folder, folder);
    record("cwd=" + std::string(folder, n < sizeof folder ? n : 0));
    record("PATH=" + environmentValue("PATH"));
    std::string shown = environmentValue("CASKIT_STANDIN_SHOW");
    if (shown != "<unset>") record(shown + "=" + environmentValue(shown.c_str()));
    record("console=" + consoleState());
}

[[maybe_unused]] jint finishCreation(JavaVM** vm, JNIEnv** env) {
    recordSurroundings();
    if (failure() == "create") {
        record("CreateJavaVM failed");
        return -1;
    }
    gEnv.functions = &gNativeInterface;
    gVm.functions = &gInvokeInterface;
    *vm = &gVm;
    *env = &gEnv;
    return 0;
}

#ifdef STANDIN_JDK11
[[maybe_unused]] jint JNICALL standinVfprintf(FILE*, const char*, va_list) { return 0; }
[[maybe_unused]] void JNICALL standinExit(jint) {}
[[maybe_unused]] void JNICALL standinAbort(void) {}
[[maybe_unused]] char gDefaultClassPath[] = "C:\\standin\\lib\\classes.zip";
#endif

}  // namespace

extern "C" {

#ifdef STANDIN_JDK11
#ifndef STANDIN_NO_DEFAULTS
JNIEXPORT jint JNICALL JNI_GetDefaultJavaVMInitArgs(void* argsPointer) {
    JDK1_1InitArgs* args = static_cast<JDK1_1InitArgs*>(argsPointer);
    record("GetDefaultJavaVMInitArgs version=" + hex(static_cast<unsigned>(args->version)));
    args->properties = nullptr;
    args->checkSource = 3;
    args->nativeStackSize = 111;
    args->javaStackSize = 222;
    args->minHeapSize = 333;
    args->maxHeapSize = 444;
    args->verifyMode = 1;
    args->classpath = environmentValue("CASKIT_STANDIN_NO_CLASSPATH") == "1" ? nullptr : gDefaultClassPath;
    args->vfprintf = standinVfprintf;
    args->exit = standinExit;
    args->abort = standinAbort;
    args->enableClassGC = 7;
    args->enableVerboseGC = 1;
    args->disableAsyncGC = 7;
    args->verbose = 1;
    args->debugging = JNI_TRUE;
    args->debugPort = 5005;
    return 0;
}
#endif

#ifndef STANDIN_NO_CREATE
JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* argsPointer) {
    const JDK1_1InitArgs* args = static_cast<const JDK1_1InitArgs*>(argsPointer);
    record("CreateJavaVM version=" + hex(static_cast<unsigned>(args->version)));
    std::size_t count = 0;
    for (; args->properties && args->properties[count]; ++count)
        record("property[" + std::to_string(count) + "]=" + args->properties[count]);
    record("properties=" + std::to_string(count) + (args->properties ? "" : " null"));
    record("checkSource=" + std::to_string(args->checkSource));
    record("nativeStackSize=" + std::to_string(args->nativeStackSize));
    record("javaStackSize=" + std::to_string(args->javaStackSize));
    record("minHeapSize=" + std::to_string(args->minHeapSize));
    record("maxHeapSize=" + std::to_string(args->maxHeapSize));
    record("verifyMode=" + std::to_string(args->verifyMode));
    record(std::string("classpath=") + (args->classpath ? args->classpath : "<null>"));
    record(std::string("vfprintf=") + (args->vfprintf == standinVfprintf ? "default" : "changed"));
    record(std::string("exit=") + (args->exit == standinExit ? "default" : "changed"));
    record(std::string("abort=") + (args->abort == standinAbort ? "default" : "changed"));
    record("enableClassGC=" + std::to_string(args->enableClassGC));
    record("enableVerboseGC=" + std::to_string(args->enableVerboseGC));
    record("disableAsyncGC=" + std::to_string(args->disableAsyncGC));
    record("verbose=" + std::to_string(args->verbose));
    record("debugging=" + std::to_string(static_cast<int>(args->debugging)));
    record("debugPort=" + std::to_string(args->debugPort));
    return finishCreation(vm, reinterpret_cast<JNIEnv**>(env));
}
#endif

#else  // JDK 1.2

#ifndef STANDIN_NO_CREATE
JNIEXPORT jint JNICALL JNI_CreateJavaVM(JavaVM** vm, void** env, void* argsPointer) {
    const JavaVMInitArgs* args = static_cast<const JavaVMInitArgs*>(argsPointer);
    record("CreateJavaVM version=" + hex(static_cast<unsigned>(args->version)) + " nOptions=" +
           std::to_string(args->nOptions) + " ignoreUnrecognized=" + std::to_string(args->ignoreUnrecognized));
    for (jint i = 0; i < args->nOptions; ++i) {
        if (std::string(args->options[i].optionString) == "exit")
            gExitHook = reinterpret_cast<void(JNICALL*)(jint)>(args->options[i].extraInfo);
        record("option[" + std::to_string(i) + "]=" + args->options[i].optionString +
               (args->options[i].extraInfo ? " extraInfo" : ""));
    }
    return finishCreation(vm, reinterpret_cast<JNIEnv**>(env));
}
#endif

#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        gModule = instance;
        InitializeCriticalSection(&gRecording);
    }
    // A null `reserved` on detach: FreeLibrary, not the end of the process.
    if (reason == DLL_PROCESS_DETACH && !reserved) record("FreeLibrary console=" + consoleState());
    return TRUE;
}

}  // extern "C"
