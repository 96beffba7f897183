// Stands in for the web browser that opens .html files: appends its command
// line (the part after its own name) to browser-calls.txt beside itself and
// ends. The UI driver registers it as the program that opens .html files.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char self[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string log(self, length);
    log = log.substr(0, log.rfind('\\') + 1) + "browser-calls.txt";
    if (std::FILE* f = std::fopen(log.c_str(), "ab")) {
        std::fprintf(f, "%s\n", commandLine ? commandLine : "");
        std::fclose(f);
    }
    return 0;
}
