#include "vmbind/SplashScreen.h"

#include "launcher/DiagnosticLog.h"
#include "platform/DynamicLibrary.h"
#include "platform/Instance.h"
#include "platform/Memory.h"
#include "platform/OwnModule.h"
#include "platform/PathSeparator.h"
#include "platform/Process.h"

namespace {

#ifdef _WIN32
constexpr const char* kSplashLibrary = "splashscreen.dll";
#else
constexpr const char* kSplashLibrary = "libsplashscreen.so";
#endif

// The parameter resource that holds the image in the resources form.
constexpr unsigned kSplashImageResourceId = 3;

using SplashInitFunction = void (*)();
using SplashLoadMemoryFunction = int (*)(void* data, int size);
using SplashCloseFunction = void (*)();

SplashCloseFunction gClose = nullptr;

void logLine(const LaunchParameters& parameters, const Text& why) {
    if (parameters.diagnosticsEnabled) diagnosticLog().writeLine("no splash screen: " + why);
}

// The image's bytes, which the library may keep using: the mapped resource
// (Windows), else a copy read from the executable's own file and kept for
// the life of the process.
const char* splashImage(const LaunchParameters& parameters) {
    size_t size = 0;
    if (parameters.splashOffset == 0) {
        const char* bytes = mappedParameterResource(kSplashImageResourceId, size);
        return size == parameters.splashLength ? bytes : nullptr;
    }
    platform::File own = platform::openOwnExecutable();
    char* bytes = static_cast<char*>(allocateMemory(parameters.splashLength));
    if (own.isOpen() && own.seek(parameters.splashOffset) && own.readExact(bytes, parameters.splashLength))
        return bytes;
    releaseMemory(bytes);
    return nullptr;
}

void closeAfterTimeout(void* seconds) {
    platform::sleepSeconds(static_cast<unsigned>(reinterpret_cast<size_t>(seconds)));
    closeSplashScreen();
}

}  // namespace

void showSplashScreen(const LaunchParameters& parameters, const void* vmEntry) {
    if (parameters.splashLength == 0) return;
    // Two names off the VM library's path (the system's own separators):
    // the library's and its folder's (server, client).
    Text path = platform::libraryPathOf(vmEntry);
    for (int names = 0; names < 2; ++names) {
        const size_t at = path.rfind(platform::kPathSeparator);
        path.resize(at == Text::npos ? 0 : at);
    }
    (path += platform::kPathSeparator) += kSplashLibrary;
    // Kept for the life of the process: the VM's own loading of the library
    // finds this one, with the screen in it.
    platform::DynamicLibrary library = platform::loadLibrary(path.c_str());
    auto init = reinterpret_cast<SplashInitFunction>(library.symbol("SplashInit"));
    auto load = reinterpret_cast<SplashLoadMemoryFunction>(library.symbol("SplashLoadMemory"));
    auto close = reinterpret_cast<SplashCloseFunction>(library.symbol("SplashClose"));
    if (!init || !load || !close) {
        logLine(parameters, path);
        return;
    }
    // An image that cannot be read from the executable, or that the
    // runtime cannot decode.
    const char* image = splashImage(parameters);
    library.release();
    if (image) init();
    if (!image || !load(const_cast<char*>(image), static_cast<int>(parameters.splashLength))) {
        logLine(parameters, "the image cannot be shown");
        return;
    }
    gClose = close;
    if (parameters.splashTimeout)
        platform::startThread(closeAfterTimeout, reinterpret_cast<void*>(static_cast<size_t>(parameters.splashTimeout)));
}

// The timeout's thread and a failed start may both come here: the
// exchange lets only one of them close the screen.
void closeSplashScreen() {
    if (SplashCloseFunction close = __atomic_exchange_n(&gClose, nullptr, __ATOMIC_ACQ_REL)) close();
}
