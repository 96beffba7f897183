// A stand-in for a runtime's splash-screen library (splashscreen.dll) in
// the Wine tests: each entry point a launcher calls is recorded in the
// stand-in VM's log (CASKIT_STANDIN_LOG), the image by its size and first
// bytes, so that a test sees what was shown, when, and that it was closed.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void record(const std::string& line) {
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("CASKIT_STANDIN_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fputs((line + "\n").c_str(), f);
        std::fclose(f);
    }
}

}  // namespace

extern "C" {

__declspec(dllexport) void SplashInit() { record("SplashInit"); }

__declspec(dllexport) int SplashLoadMemory(void* data, int size) {
    std::string first(static_cast<const char*>(data), size < 6 ? static_cast<std::size_t>(size) : 6u);
    record("SplashLoadMemory " + std::to_string(size) + " " + first);
    return 1;
}

__declspec(dllexport) void SplashClose() { record("SplashClose"); }

}  // extern "C"
