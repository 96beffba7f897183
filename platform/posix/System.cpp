// What a Linux program has of the Windows facilities the launcher uses:
// no global key state (an environment variable stands in for F12), no
// console to allocate, no registry, no resource updating, no dialogs.
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/Console.h"
#include "platform/DynamicLibrary.h"
#include "platform/FileDialog.h"
#include "platform/Icons.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/MessageHookState.h"
#include "platform/PlatformCode.h"
#include "platform/Registry.h"
#include "platform/ResourceUpdate.h"

namespace platform {

bool isDiagnosticKeyHeld() {
    const char* v = getenv("CASKIT_DIAGNOSTICS");
    return v && v[0] == '1';
}

void beep(unsigned, unsigned) { fputc('\a', stderr); }

bool allocConsole() { return false; }
void freeConsole() {}

void* DynamicLibrary::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

void DynamicLibrary::reset() {
    if (handle_) dlclose(handle_);
    handle_ = nullptr;
}

DynamicLibrary loadLibrary(const std::string& path) {
    return DynamicLibrary(dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL));
}

std::optional<std::string> RegistryKey::readText(const std::string&) const { return std::nullopt; }
void RegistryKey::close() { handle_ = nullptr; }
RegistryKey openMachineKey(const std::string&) { return RegistryKey(); }

int showMessage(WindowRef owner, const std::string& text, const std::string& caption, unsigned style) {
    if (MessageHook& hook = messageHookSlot()) return hook(owner, text, caption, style);
    fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    fflush(stderr);
    return (style & 0xF) == kMbYesNoCancel ? kIdCancel : kIdOk;
}

bool ResourceUpdate::supported() { return false; }
bool ResourceUpdate::begin(const std::string&) { return false; }
bool ResourceUpdate::update(unsigned, unsigned, unsigned, const void*, std::size_t) { return false; }
bool ResourceUpdate::commit() { return false; }
void ResourceUpdate::discard() { handle_ = nullptr; }

unsigned platformCode() { return 0; }

std::optional<std::string> askFileName(const FileDialogRequest&) { return std::nullopt; }

IconRef iconFromImage(const void*, std::size_t, int, int, int) { return nullptr; }
IconRef ownIcon(unsigned, int) { return nullptr; }

}  // namespace platform
