// The launcher's entry: WinMain on Windows (a GUI-subsystem program that
// receives its command line without the program name), main on Linux
// (which rebuilds one command line from its arguments). No exception
// leaves the entry: a run ended that way (only running out of memory can
// do it) ends like every other run, with exit code 0.
#include <string>

#include "launcher/stub/ArgumentLine.h"

// Defined by the stub's own file: the run sequence with its VM start.
int runStub(const std::string& commandLine);

#ifdef _WIN32
// The Win32 GUI entry; only the command line is used.
extern "C" int __stdcall WinMain(void* /*instance*/, void* /*previous*/, char* commandLine, int /*show*/) {
    try {
        return runStub(commandLine ? commandLine : "");
    } catch (...) {
        return 0;
    }
}
#else
int main(int argc, char** argv) {
    try {
        return runStub(joinArguments(argc - 1, argv + 1));
    } catch (...) {
        return 0;
    }
}
#endif
