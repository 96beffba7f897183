// A Linux launcher without a VM start: builds LaunchParameters the way a
// stub does (command line, then its own parameter trailer) and writes what
// it found to a file, one "key=value" per line. The host tests copy it,
// append a trailer, and run the copy with a prepared start-up environment.
//
//   launcher_probe OUTPUT plain|option COMMANDLINE [dump] [show=NAME]...
//
// "dump": make the executable's folder current and write the parameter
// dump, as the JDK 1.1 VM start does. "show=NAME": report the live value
// of an environment variable after the block was read.
#include <cstdio>
#include <cstring>
#include <string>

#include "launcher/LaunchParameters.h"
#include "platform/Environment.h"
#include "tests/support/TextSupport.h"

static void put(std::FILE* out, const char* key, const std::string& value) {
    std::fprintf(out, "%s=", key);
    std::fwrite(value.data(), 1, value.size(), out);
    std::fputc('\n', out);
}

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    LaunchParameters p(std::strcmp(argv[2], "option") == 0 ? PropertyStyle::Option : PropertyStyle::Plain);
    p.parseCommandLine(argv[3]);
    p.loadParameters();

    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 3;
    for (int i = 4; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "dump") {
            platform::setCurrentDirectory(p.exeFolder.c_str());
            p.dumpParameters();
        } else if (option.rfind("show=", 0) == 0) {
            std::string name = option.substr(5);
            std::optional<std::string> value = caskit_test::currentVariable(name.c_str());
            put(out, ("env:" + name).c_str(), value ? *value : "<unset>");
        }
    }
    put(out, "diagnostics", p.diagnosticsEnabled ? "1" : "0");
    put(out, "exeFolder", str(p.exeFolder));
    put(out, "exeName", str(p.exeName));
    put(out, "binaryPath", str(p.binaryPath));
    put(out, "mainClass", str(p.mainClass));
    for (const Text& a : p.arguments) put(out, "argument", str(a));
    for (const Text& c : p.classPath) put(out, "classPath", str(c));
    for (const Text& q : p.properties) put(out, "property", str(q));
    put(out, "classPathMode", std::to_string(static_cast<int>(p.classPathMode)));
    put(out, "sizes", str(p.minHeap + "," + p.maxHeap + "," + p.nativeStackSize + "," + p.javaStackSize));
    put(out, "switches", std::string(p.classGcEnabled ? "1" : "0") + (p.asyncGcDisabled ? "1" : "0") +
                             (p.jitDisabled ? "1" : "0") + (p.consoleWindow ? "1" : "0") +
                             (p.routeConsole ? "1" : "0"));
    put(out, "verifyMode", std::to_string(static_cast<int>(p.verifyMode)));
    return std::fclose(out) == 0 ? 0 : 3;
}
