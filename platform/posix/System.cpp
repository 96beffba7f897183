// What a Linux program has of the Windows facilities the launcher uses:
// no global key state (an environment variable stands in for F12), no
// console to allocate, no registry.
#include <dlfcn.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include "platform/Console.h"
#include "platform/DynamicLibrary.h"
#include "platform/Keyboard.h"
#include "platform/Memory.h"
#include "platform/MessageBox.h"
#include "platform/MessageHookState.h"
#include "platform/Process.h"
#include "platform/Registry.h"

namespace platform {

bool isDiagnosticKeyHeld() {
    const char* v = getenv("CASKIT_DIAGNOSTICS");
    return v && v[0] == '1';
}

void beep(unsigned, unsigned) { writeStandardError("\a", 1); }

bool allocConsole() { return false; }
void freeConsole() {}
bool isConsoleProgram() { return true; }

void writeStandardError(const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t n = write(2, bytes, size);
        if (n <= 0) return;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
}

void* DynamicLibrary::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

void DynamicLibrary::reset() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
}

DynamicLibrary loadLibrary(const char* path) { return DynamicLibrary(dlopen(path, RTLD_NOW | RTLD_GLOBAL)); }

Text libraryPathOf(const void* address) {
    Dl_info info;
    return dladdr(address, &info) && info.dli_fname ? info.dli_fname : "";
}

Text loadFailureText() {
    const char* text = dlerror();
    return text ? text : "";
}

// One write, so that the line does not interleave with other output.
void writeErrorLine(const char* text) {
    Text line = text;
    line += '\n';
    writeStandardError(line.data(), line.size());
}

void endProcess(int code) { _exit(code); }

void sleepSeconds(unsigned seconds) { sleep(seconds); }

unsigned long millisecondClock() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<unsigned long>(now.tv_sec) * 1000ul + static_cast<unsigned long>(now.tv_nsec / 1000000);
}

bool RegistryKey::readText(const char*, Text&) const { return false; }
void RegistryKey::close() { handle_ = nullptr; }
ValueStatus RegistryKey::readLimitedText(const char*, size_t, Text&) const { return ValueStatus::Missing; }
bool RegistryKey::subKeyName(unsigned, Text&) const { return false; }
RegistryKey openMachineKey(const char*) { return RegistryKey(); }
RegistryKey openKey(RegistryRoot, const char*, RegistryView) { return RegistryKey(); }

int showMessage(WindowRef owner, const char* text, const char* caption, unsigned style) {
    const MessageHook& hook = installedMessageHook();
    if (hook.show) return hook.show(hook.context, owner, text, caption, style);
    writeErrorLine((Text(caption) + ": " + text).c_str());
    return (style & 0xF) == kMbYesNoCancel ? kIdCancel : kIdOk;
}

}  // namespace platform

void outOfMemory() {
    static const char kText[] = "Out of memory: there is not enough memory to start this program.\n";
    ssize_t ignored = write(2, kText, sizeof kText - 1);
    (void)ignored;
    _exit(1);
}
